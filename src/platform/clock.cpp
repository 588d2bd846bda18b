#include "platform/clock.h"

#include "platform/seams.h"

namespace wallclock {

namespace {
const QDateTime& epoch()
{
    static const QDateTime e(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return e;
}
}  // namespace

QDateTime NowDateTime()
{
    const auto& now = platform::seams().now;
    return now ? now() : QDateTime::currentDateTime();
}

double Now()
{
    return toSerial(NowDateTime());
}

double toSerial(const QDateTime& t)
{
    // Local wall-clock time, counted as if it were UTC, as the date serial does.
    const QDateTime wall(t.date(), t.time(), Qt::UTC);
    return static_cast<double>(epoch().msecsTo(wall)) / 86400000.0;
}

QDateTime fromSerial(double serial)
{
    const QDateTime wall = epoch().addMSecs(static_cast<qint64>(serial * 86400000.0 + (serial >= 0 ? 0.5 : -0.5)));
    return QDateTime(wall.date(), wall.time());
}

}  // namespace wallclock
