#pragma once
// The default printer: text lines, one printer line each, then the job ends.

#include <QStringList>

namespace printer {

// Prints the lines on the default printer in a fixed-pitch font, breaking
// pages as needed. Returns false, having printed nothing, when there is no
// default printer or it cannot start the job. Never throws.
bool printLines(const QStringList& lines);

}  // namespace printer
