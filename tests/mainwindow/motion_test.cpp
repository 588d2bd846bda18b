// Moves the player can see: a moved piece glides to its place; a press
// during the glide ends it at once and still counts; the glide can be turned
// off in the options menu, and the setting is kept.

#include "mainwindow/frmTavoro.h"
#include "platform/appinfo.h"
#include "platform/seams.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/files.h"
#include "support/room.h"
#include "support/window_env.h"
#include "widgets/controls.h"
#include "widgets/seams.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using widgets::seams;

namespace {

class Motion : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    int champions = 0;
    std::unique_ptr<frmTavoro> w;

    void SetUp() override
    {
        widgets::seams().showChampions = [this](QWidget*, std::optional<game::Score>) { ++champions; };
        services::seams().requestActivation = [](QWidget*) {};
        w = testsupport::openRoom();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        ASSERT_TRUE(QTest::qWaitFor([this] { return w->Positioned; }));
        Allgemein::settings().setSize(3);
        w->NewGame();
    }

    QPoint home(int place) const
    {
        return QPoint(int(w->geometry.placeLeft(3, place)), int(w->geometry.placeTop(3, place)));
    }
};

}  // namespace

TEST_F(Motion, APieceGlidesAndAPressMeanwhileEndsTheGlideAndCounts)
{
    ASSERT_TRUE(testsupport::playOn(*w, 3, game::Mode::Slide, {1, 2, 3, 4, 5, 6, 0, 7, 8}, 0));
    const QPoint at7 = w->imgPuzz(7)->pos();
    w->imgPuzz_MouseDown(7, 1, 0, 0, 0);  // piece 7 slides from place 7 to place 6
    EXPECT_EQ(w->imgPuzz(6)->pos(), at7);  // it starts where it was
    w->imgPuzz_MouseDown(6, 1, 0, 0, 0);  // pressed back meanwhile
    EXPECT_EQ(w->board.moves(), 2);
    EXPECT_EQ(w->imgPuzz(6)->pos(), home(6));  // that glide ended at once
    // The glide of the second press ends by itself.
    EXPECT_EQ(w->imgPuzz(7)->pos(), home(6));
    EXPECT_TRUE(QTest::qWaitFor([this] { return w->imgPuzz(7)->pos() == home(7); }));
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(w->imgPuzz(k)->pos(), home(k)) << k;
    EXPECT_EQ(champions, 0);
}

TEST_F(Motion, SwappedPiecesCrossOverAndTheWholePictureShowsBeforeTheChampions)
{
    ASSERT_TRUE(testsupport::playOn(*w, 3, game::Mode::Swap, {2, 1, 3, 4, 5, 6, 7, 8, 9}, 0));
    w->imgPuzz_MouseDown(0, 1, 0, 0, 0);
    QElapsedTimer shown;
    shown.start();
    seams().showChampions = [&](QWidget*, std::optional<game::Score>) {
        ++champions;
        // The glide has ended and the picture stood whole a moment.
        EXPECT_GE(shown.elapsed(), 500);
        EXPECT_EQ(w->imgPuzz(0)->pos(), home(0));
        EXPECT_EQ(w->imgPuzz(1)->pos(), home(1));
    };
    w->imgPuzz_MouseDown(1, 1, 0, 0, 0);
    EXPECT_EQ(champions, 1);
}

TEST_F(Motion, TurnedOffPiecesJumpAndTheSettingIsKept)
{
    w->mnuAnimate_Click();
    EXPECT_FALSE(Allgemein::settings().Animate());
    EXPECT_FALSE(w->mnuAnimate->isChecked());
    EXPECT_TRUE(testsupport::readFile(folder.filePath("Tavoro.ini")).contains("Animate=0\r\n"));

    ASSERT_TRUE(testsupport::playOn(*w, 3, game::Mode::Slide, {1, 2, 3, 4, 5, 6, 7, 0, 8}, 0));
    w->imgPuzz_MouseDown(8, 1, 0, 0, 0);
    EXPECT_EQ(w->imgPuzz(7)->pos(), home(7));

    // Read back at the next start.
    w.reset();
    Allgemein::settings() = Allgemein::Settings{};
    w = std::make_unique<frmTavoro>();
    w->Form_Load();
    EXPECT_FALSE(Allgemein::settings().Animate());
    EXPECT_FALSE(w->mnuAnimate->isChecked());
}
