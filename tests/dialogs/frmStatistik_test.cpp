// The statistics window over a fixed history: the figures for the size and
// mode chosen, the chart's plotted points (not its pixels) and the table
// that says the same for screen readers.

#include "dialogs/frmStatistik.h"
#include "dialogs/statistics_chart.h"
#include "services/seams.h"
#include "services/statistics.h"
#include "support/window_env.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using game::Mode;
using game::statistics::Outcome;
using game::statistics::Record;

namespace {

Record played(int size, Mode mode, Outcome outcome, int moves, int seconds, std::optional<int> shortest = {})
{
    return {size, mode, outcome, moves, seconds, 1765442400, shortest, "101"};
}

// Three solved 3 x 3 games, one with help, one 4 x 4 and an abandoned 3 x 3
// swap game last.
std::vector<Record> history()
{
    return {
        played(3, Mode::Slide, Outcome::Solved, 40, 90, 22),
        played(3, Mode::Slide, Outcome::Solved, 31, 60, 22),
        played(3, Mode::Slide, Outcome::Helped, 25, 10, 22),
        played(4, Mode::Slide, Outcome::Solved, 80, 200, 50),
        played(3, Mode::Slide, Outcome::Solved, 24, 75, 20),
        played(3, Mode::Swap, Outcome::Abandoned, 2, 5),
    };
}

class StatisticsWindow : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::unique_ptr<frmStatistik> w;

    void SetUp() override
    {
        services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1").arg(key); };
        w = std::make_unique<frmStatistik>();
        w->resize(600, 700);
        w->showGames(history());
        w->show();
    }

    // The chart painted offscreen, and what it plotted.
    const dialogs::StatisticsChart::Plot& painted()
    {
        w->chart->grab();
        return w->chart->plotted();
    }
};

}  // namespace

TEST_F(StatisticsWindow, FiguresForTheChosenSizeAndMode)
{
    // The last game's size and mode first: 3 x 3 swap, one game abandoned.
    EXPECT_EQ(w->cboArt->currentData().toInt(), 3 * 2 + 1);
    EXPECT_EQ(w->lblPlayed->text(), "1");
    EXPECT_EQ(w->lblSolved->text(), "0");
    EXPECT_EQ(w->lblMoves->text(), "– / –");
    EXPECT_TRUE(painted().points.empty());
    EXPECT_EQ(w->tblGames->rowCount(), 0);

    w->choose(3, Mode::Slide);
    EXPECT_EQ(w->lblPlayed->text(), "4");
    EXPECT_EQ(w->lblSolved->text(), "3");
    EXPECT_EQ(w->lblMoves->text(), "24 / 31");
    EXPECT_EQ(w->lblSeconds->text(), "60 / 75");
    EXPECT_EQ(w->lblShare->text(), "67 %");  // 31 of 22 and 24 of 20, not 40 of 22
}

TEST_F(StatisticsWindow, ChartPlotsTheLastGamesWithTheBestAndTheTrend)
{
    w->choose(3, Mode::Slide);
    const auto& seconds = painted();
    ASSERT_EQ(seconds.points.size(), 3u);
    // Seconds 90, 60, 75 on a scale of 0 to 100, evenly across the area.
    const QRectF a = seconds.area;
    EXPECT_EQ(seconds.high, 100);
    auto at = [&](double i, double v) { return QPointF(a.left() + a.width() * i / 2, a.bottom() - a.height() * v / 100); };
    EXPECT_EQ(seconds.points[0], at(0, 90));
    EXPECT_EQ(seconds.points[1], at(1, 60));
    EXPECT_EQ(seconds.points[2], at(2, 75));
    EXPECT_EQ(seconds.best, 1);
    ASSERT_TRUE(seconds.trend);
    EXPECT_NEAR(seconds.trend->p1().y(), at(0, 82.5).y(), 1e-9);  // from 82.5 down to 67.5
    EXPECT_NEAR(seconds.trend->p2().y(), at(2, 67.5).y(), 1e-9);
    EXPECT_EQ(seconds.trend->p2().x(), a.right());

    // The table says the same.
    ASSERT_EQ(w->tblGames->rowCount(), 3);
    EXPECT_EQ(w->tblGames->item(0, 3)->text(), "90");
    EXPECT_EQ(w->tblGames->item(2, 2)->text(), "24");
    EXPECT_EQ(w->tblGames->item(2, 4)->text(), "20");
    EXPECT_FALSE(w->chart->accessibleName().isEmpty());

    // Moves: 40, 31, 24 on a scale to 50; the best is the last.
    QTest::mouseClick(w->optChart[1], Qt::LeftButton);
    const auto& moves = painted();
    EXPECT_EQ(moves.high, 50);
    EXPECT_EQ(moves.points[2], QPointF(a.right(), a.bottom() - a.height() * 24 / 50));
    EXPECT_EQ(moves.best, 2);
}

TEST_F(StatisticsWindow, OneGameAndTheScale)
{
    w->choose(4, Mode::Slide);
    const auto& one = painted();
    ASSERT_EQ(one.points.size(), 1u);
    EXPECT_EQ(one.points[0].x(), one.area.center().x());
    EXPECT_FALSE(one.trend);
    for (auto [highest, top] : {std::pair{0.0, 1.0}, {1.0, 1.0}, {7.0, 10.0}, {11.0, 20.0}, {200.0, 200.0},
                                {201.0, 250.0}, {2600.0, 5000.0}})
        EXPECT_EQ(dialogs::niceCeiling(highest), top) << highest;
}

TEST_F(StatisticsWindow, DamagedLinesAreReportedInTheWindow)
{
    w->showGames(history(), QStringLiteral("two lines skipped"));
    EXPECT_FALSE(w->lblNote->isHidden());
    EXPECT_EQ(w->lblNote->text(), "two lines skipped");
    w->showGames({});
    EXPECT_TRUE(w->lblNote->isHidden());
}
