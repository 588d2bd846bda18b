// The statistics file: each game added as a line of the whole file written
// anew, damaged lines kept in it and skipped when read, reported once a run.

#include "services/statistics.h"
#include "support/files.h"
#include "support/window_env.h"

#include <QFile>
#include <gtest/gtest.h>

using game::Mode;
using statistics::Outcome;
using statistics::Record;

namespace {

class StatisticsFile : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    void SetUp() override
    {
        services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1 %2").arg(key).arg(QStringLiteral("%1")); };
    }
    QByteArray bytes() const { return testsupport::readFile(statistics::path()); }
};

}  // namespace

TEST_F(StatisticsFile, GamesAreAddedAndReadBack)
{
    EXPECT_TRUE(statistics::load().records.empty());  // no file yet
    EXPECT_TRUE(statistics::path().startsWith(folder.path()));
    const Record first{3, Mode::Slide, Outcome::Solved, 31, 40, 1765442400, 22, "101"};
    ASSERT_TRUE(statistics::record(first));
    ASSERT_TRUE(statistics::record(4, Mode::Swap, QStringLiteral("Straße.jpg"), 9, 12, Outcome::Abandoned));
    EXPECT_TRUE(bytes().startsWith("Tavoro statistics 1\n"));
    const auto read = statistics::load();
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_EQ(read.records[0], first);
    EXPECT_EQ(read.records[1].picture, "Straße.jpg");
    EXPECT_EQ(read.records[1].outcome, Outcome::Abandoned);
    EXPECT_FALSE(read.records[1].shortest);
    EXPECT_NEAR(double(read.records[1].date), double(QDateTime::currentSecsSinceEpoch()), 60);
    EXPECT_EQ(read.damaged, 0);
}

TEST_F(StatisticsFile, DamagedLinesAreKeptSkippedAndReportedOnce)
{
    const Record game{5, Mode::Slide, Outcome::Helped, 200, 300, 1765442400, std::nullopt, "107"};
    const std::string line = game::statistics::encodeLine(game);
    // A damaged line in the middle and a last line cut off by a crash.
    ASSERT_TRUE(testsupport::writeFile(statistics::path(),
                                       QByteArray("Tavoro statistics 1\n") + line.c_str() + "\nrubbish\n" +
                                           QByteArray(line.c_str(), 6)));
    ASSERT_TRUE(statistics::record(game));
    const auto read = statistics::load();
    EXPECT_EQ(read.records.size(), 2u);
    EXPECT_EQ(read.damaged, 2);
    EXPECT_TRUE(bytes().contains("\nrubbish\n"));  // never dropped
    EXPECT_EQ(statistics::damagedReportOnce(0), QString());
    EXPECT_EQ(statistics::damagedReportOnce(2), QStringLiteral("m351 2"));
    EXPECT_EQ(statistics::damagedReportOnce(2), QString());  // once a run
}
