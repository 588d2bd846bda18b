#pragma once
// The default printer: text lines, one printer line each, then the job ends.

#include <QFont>
#include <QStringList>

class QPagedPaintDevice;

namespace printer {

// What goes on the page: the font, and the lines as they are printed, tabs
// expanded to every eighth column.
struct PageText {
    QFont font;
    QStringList lines;
};

// Lays the lines out for a page `pageWidth` device pixels wide: a fixed-pitch
// font of 10 points, made smaller (down to 6 points) until the longest line,
// counted up to 93 characters, fits; a line that still does not fit is
// continued on the next printer line, so that nothing is cut at the page's
// right edge.
PageText layOut(const QStringList& lines, QPaintDevice* device, int pageWidth);

// Prints the lines on the device, breaking pages as needed.
bool printOn(QPagedPaintDevice& device, const QStringList& lines);

// Prints the lines on the default printer as printOn does. Returns false,
// having printed nothing, when there is no default printer or it cannot start
// the job. Never throws.
bool printLines(const QStringList& lines);

}  // namespace printer
