// The win moment: the comparison's texts, and the ribbon that goes by a key,
// a click or its time and calls back once.

#include "services/seams.h"
#include "support/window_env.h"
#include "widgets/win_moment.h"

#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class WinMomentTest : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    void SetUp() override
    {
        services::seams().GetLang = [](int16_t key) {
            switch (key) {
            case 331: return QStringLiteral("%1 moves — the shortest is %2");
            case 332: return QStringLiteral("%1 moves — the shortest is at least %2");
            case 333: return QStringLiteral("%1 moves, solved with help");
            case 335: return QStringLiteral("%1 seconds");
            default: return QStringLiteral("m%1").arg(key);
            }
        };
    }
};

}  // namespace

TEST_F(WinMomentTest, ComparisonTexts)
{
    EXPECT_EQ(widgets::comparisonText(31, game::Shortest{22, true}, false), "31 moves — the shortest is 22");
    EXPECT_EQ(widgets::comparisonText(70, game::Shortest{54, false}, false),
              "70 moves — the shortest is at least 54");
    EXPECT_EQ(widgets::comparisonText(31, game::Shortest{22, true}, true), "31 moves, solved with help");
    EXPECT_EQ(widgets::comparisonText(31, std::nullopt, false), "m345: 31");
}

TEST_F(WinMomentTest, GoesOnAKeyOrAClickAndCallsBackOnce)
{
    QWidget board;
    board.resize(400, 400);
    board.show();
    for (int how = 0; how < 2; ++how) {
        int called = 0;
        QPointer<widgets::WinMoment> moment =
            new widgets::WinMoment(&board, 31, 40, QStringLiteral("31 moves — the shortest is 22"), [&] { ++called; });
        EXPECT_EQ(moment->geometry(), board.rect());
        EXPECT_EQ(moment->title(), "m334");
        EXPECT_EQ(moment->lines(), "31 moves — the shortest is 22\n40 seconds");
        EXPECT_TRUE(moment->accessibleDescription().contains("40 seconds"));
        board.resize(500, 300);
        EXPECT_EQ(moment->geometry(), board.rect());  // it follows the board
        if (how == 0)
            QTest::keyClick(moment, Qt::Key_Space);
        else
            QTest::mouseClick(moment, Qt::LeftButton);
        EXPECT_EQ(called, 1);
        EXPECT_TRUE(moment->isHidden());
        moment->finish();
        EXPECT_EQ(called, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(moment.isNull());
    }
}
