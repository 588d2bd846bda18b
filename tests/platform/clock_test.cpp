#include "platform/clock.h"
#include "platform/seams.h"
#include "services/random.h"

#include <gtest/gtest.h>

TEST(Clock, DateSerialCountsDaysSince30December1899)
{
    EXPECT_DOUBLE_EQ(wallclock::toSerial(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(wallclock::toSerial(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), 2.5);
    EXPECT_DOUBLE_EQ(wallclock::toSerial(QDateTime(QDate(2026, 12, 9), QTime(0, 0))), 46365.0);
    const QDateTime t(QDate(2026, 3, 29), QTime(2, 30, 15));
    EXPECT_EQ(wallclock::fromSerial(wallclock::toSerial(t)), t);

    platform::seams().now = [&] { return t; };
    EXPECT_EQ(wallclock::NowDateTime(), t);
    EXPECT_DOUBLE_EQ(wallclock::Now(), wallclock::toSerial(t));
    platform::resetSeams();
}

TEST(Random, DrawsStayInTheUnitIntervalAcrossReseeds)
{
    double lo = 1, hi = 0;
    for (int i = 0; i < 10000; ++i) {
        Allgemein::Randomize();
        const double r = Allgemein::Rnd();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        lo = std::min(lo, r);
        hi = std::max(hi, r);
    }
    EXPECT_LT(lo, 0.01);
    EXPECT_GT(hi, 0.99);
}
