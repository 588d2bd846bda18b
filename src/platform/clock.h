#pragma once
// The current local date-time as a date serial: whole days since
// 30 December 1899, the fraction being the time of day. Tests set the clock
// (platform::Seams).

#include <QDateTime>

namespace wallclock {

// Now as a date serial.
double Now();

// Now as a date-time (the same clock).
QDateTime NowDateTime();

// Converts between a date-time and its date serial.
double toSerial(const QDateTime& t);
QDateTime fromSerial(double serial);

}  // namespace wallclock
