// The wallpaper window: the swatches' places and their tiles, the red frame,
// and a choice stored at the click.

#include "dialogs/frmTapete.h"
#include "platform/appinfo.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/files.h"
#include "support/window_env.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>


namespace {

class WallpaperWindow : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::unique_ptr<frmTapete> w;

    void SetUp() override
    {
        services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1").arg(key); };
    }

    void load()
    {
        w = std::make_unique<frmTapete>();
        w->Form_Load();
        w->show();
    }

    // The frame's place in whole twips.
    QPoint frameTwips() const
    {
        return {int(std::lround(w->shpWahl->Left() * 15)), int(std::lround(w->shpWahl->Top() * 15))};
    }
};

TEST_F(WallpaperWindow, SwatchesAndTheFrameStandOnTheGrid)
{
    // Swatch: left, top in twips; the frame stands 87 twips up and left of it.
    const QPoint swatches[15] = {{240, 600},  {1920, 600},  {3600, 600},  {240, 2280},
                                 {1920, 2280}, {3600, 2280}, {240, 3960},  {1920, 3960},
                                 {3600, 3960}, {5280, 2280}, {5280, 600},  {3600, 5640},
                                 {1920, 5640}, {240, 5640},  {5280, 3960}};
    for (int i = 0; i < 15; ++i) {
        SCOPED_TRACE(i);
        Allgemein::settings().setBackground(int16_t(101 + i));
        load();
        EXPECT_EQ(w->picBG(i)->pos(), QPoint(qRound(swatches[i].x() / 15.0), qRound(swatches[i].y() / 15.0)));
        EXPECT_EQ(w->picBG(i)->ScaleWidth(), 1395);  // 93 whole pixels of 1400 twips
        EXPECT_EQ(frameTwips(), swatches[i] - QPoint(87, 87));
        EXPECT_TRUE(w->shpWahl->isVisible());
    }
    EXPECT_EQ(w->lblText->text(), "m130");
    // The golden place of the first.
    Allgemein::settings().setBackground(101);
    load();
    EXPECT_EQ(frameTwips(), QPoint(153, 513));

    // A number without a wallpaper frames nothing.
    Allgemein::settings().setBackground(130);
    load();
    EXPECT_FALSE(w->shpWahl->isVisible());
}

TEST_F(WallpaperWindow, EachSwatchIsTiledWithItsWallpaper)
{
    load();
    for (int i : {0, 6, 13}) {  // tiles 101 (100 x 95), 107 (30 x 10), 114 (175 x 175)
        SCOPED_TRACE(i);
        const QImage tile = resources::loadBitmap(101 + i).convertToFormat(QImage::Format_RGB32);
        const QImage shown = w->picBG(i)->Image().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), QSize(93, 93));
        for (int y = 0; y < shown.height(); y += 7)
            for (int x = 0; x < shown.width(); x += 5)
                ASSERT_EQ(shown.pixel(x, y), tile.pixel(x % tile.width(), y % tile.height()))
                    << x << "," << y;
    }
}

TEST_F(WallpaperWindow, AClickChoosesOkStoresEscAndTheCloseBoxLeaveItAsItWas)
{
    Allgemein::settings().setBackground(101);
    load();
    QTest::mouseClick(w->picBG(9), Qt::LeftButton);
    EXPECT_EQ(w->chosen(), 110);
    EXPECT_EQ(frameTwips(), QPoint(5280 - 87, 2280 - 87));
    EXPECT_EQ(Allgemein::settings().Background(), 101);
    EXPECT_TRUE(w->isVisible());
    QTest::keyClick(w.get(), Qt::Key_Escape);  // Esc cancels, as in the picture window
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(Allgemein::settings().Background(), 101);
    EXPECT_FALSE(ini().contains("Background=110"));

    load();
    w->picBG_Click(9);
    w->reject();  // closed through the window frame
    EXPECT_EQ(Allgemein::settings().Background(), 101);

    load();
    QTest::mouseDClick(w->picBG(13), Qt::LeftButton);  // a double click is OK
    EXPECT_EQ(Allgemein::settings().Background(), 114);
    EXPECT_TRUE(ini().contains("Background=114\r\n"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);

    load();
    w->picBG_Click(2);
    w->cmdOK->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(Allgemein::settings().Background(), 103);
    EXPECT_TRUE(ini().contains("Background=103\r\n"));
}

}  // namespace

TEST_F(WallpaperWindow, TheArrowsMoveTheChoiceOverTheGridAndEnterCloses)
{
    Allgemein::settings().setBackground(101);
    load();
    const struct { Qt::Key key; int background; } steps[] = {
        {Qt::Key_Left, 101},   // at the first swatch: stays
        {Qt::Key_Up, 101},
        {Qt::Key_Right, 102}, {Qt::Key_Down, 106}, {Qt::Key_Down, 110}, {Qt::Key_Down, 114},
        {Qt::Key_Down, 114},   // below lies nothing
        {Qt::Key_Right, 115},
        {Qt::Key_Right, 115},  // the last swatch; OK's cell follows
    };
    for (const auto& s : steps) {
        QTest::keyClick(w.get(), s.key);
        EXPECT_EQ(w->chosen(), s.background) << s.key;
    }
    QTest::keyClick(w.get(), Qt::Key_Return);
    EXPECT_TRUE(ini().contains("Background=115\r\n"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);
}
