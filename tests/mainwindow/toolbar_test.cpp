// The toolbar: what every index of PicBut_Click does to the mode, the
// language, the preview, the stored settings and a running game, and the
// picture and wallpaper commands around their windows.

#include "mainwindow/frmTavoro.h"
#include "platform/appinfo.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/board_texts.h"
#include "support/files.h"
#include "support/window_env.h"
#include "widgets/seams.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>


namespace {

class Toolbar : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::unique_ptr<frmTavoro> w;
    std::vector<int16_t> sounds;
    int pictureWindows = 0;
    int wallpaperWindows = 0;
    // What the player does in the picture and wallpaper windows.
    std::function<void()> inPictureWindow = [] {};
    int16_t chosenWallpaper = 101;

    void SetUp() override
    {
        services::seams().PlayWAV = [this](int16_t n) { sounds.push_back(n); };
        services::seams().GetLang = testsupport::boardText;
        services::seams().Zufallszahl = [](int16_t lo, int16_t) { return lo; };
        services::seams().ScreenPixels = [](const QWidget*) { return QSize(1024, 768); };
        widgets::seams().showPictureWindow = [this](QWidget*) {
            ++pictureWindows;
            inPictureWindow();
        };
        widgets::seams().showWallpaperWindow = [this](QWidget*) {
            ++wallpaperWindows;
            Allgemein::settings().setBackground(chosenWallpaper);
        };
        w = std::make_unique<frmTavoro>();
        w->Form_Load();
        w->resize(684, 470);
        w->positionieren();
        w->FirstResetDone = true;
    }


    void startGame()
    {
        w->Start();
        ASSERT_FALSE(w->board.locked());
    }

    bool gameRunning() const { return !w->board.locked(); }

    void putPicture(const QString& name, const QByteArray& bytes)
    {
        QDir(folder.path()).mkpath("pics");
        ASSERT_TRUE(testsupport::writeFile(folder.filePath("pics/" + name), bytes));
    }
};

TEST_F(Toolbar, EveryIndexDoesWhatItsButtonSays)
{
    enum Reset { Keeps, Resets };
    const struct {
        int16_t index;
        Reset game;
        int16_t mode;      // Mode afterwards (each row starts in slide mode)
        int16_t sprache;   // Sprache afterwards (each row starts at 1000)
        const char* stored;
        bool preview;      // preview visible afterwards
        int pictureWindows, wallpaperWindows;
    } cases[] = {
        {2, Keeps, 0, 1000, nullptr, false, 0, 0},
        {3, Resets, 0, 1000, nullptr, true, 1, 0},
        {4, Keeps, 0, 1000, nullptr, true, 0, 1},
        {5, Resets, 0, 1000, "Mode=0", true, 0, 0},
        {6, Resets, 1, 1000, "Mode=1", true, 0, 0},
        {10, Keeps, 0, 0, "Sprache=0", true, 0, 0},
        {12, Keeps, 0, 2000, "Sprache=2000", true, 0, 0},
        {13, Keeps, 0, 3000, "Sprache=3000", true, 0, 0},
        {14, Keeps, 0, 5000, "Sprache=5000", true, 0, 0},
        {16, Keeps, 0, 6000, "Sprache=6000", true, 0, 0},
        {11, Keeps, 0, 1000, "Sprache=1000", true, 0, 0},
        {15, Keeps, 0, 1000, nullptr, true, 0, 0},
        {17, Keeps, 0, 1000, nullptr, true, 0, 0},
        {-1, Keeps, 0, 1000, nullptr, true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        QFile::remove(folder.filePath("Tavoro.ini"));
        Allgemein::settings().setSprache(1000);
        Allgemein::settings().setMode(game::Mode::Slide);  // so button 5 is pressed in slide mode, and still resets the board
        g.PreviewNext = vbFalse;
        w->imgPreview->show();
        w->shpPreview->show();
        pictureWindows = wallpaperWindows = 0;
        startGame();
        w->PicBut_Click(c.index);
        EXPECT_EQ(gameRunning(), c.game == Keeps);
        EXPECT_EQ(Allgemein::settings().value(Allgemein::Setting::Mode), c.mode);
        EXPECT_EQ(Allgemein::settings().Sprache(), c.sprache);
        EXPECT_EQ(!w->imgPreview->isHidden(), c.preview);
        EXPECT_EQ(!w->shpPreview->isHidden(), c.preview);
        EXPECT_EQ(pictureWindows, c.pictureWindows);
        EXPECT_EQ(wallpaperWindows, c.wallpaperWindows);
        if (c.stored)
            EXPECT_TRUE(ini().contains(QString(c.stored) + "\r\n")) << qPrintable(ini());
        else
            EXPECT_FALSE(ini().contains("Optionen")) << qPrintable(ini());
    }
    // The tooltips follow the language.
    services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1").arg(key); };
    w->PicBut_Click(14);
    EXPECT_EQ(w->PicBut(0)->toolTip(), "m5110");
    EXPECT_EQ(w->PicBut(4)->toolTip(), "m5158");
    EXPECT_EQ(w->PicBut(14)->toolTip(), QString::fromUtf8("Español"));
    // Only the flag of the language in use is marked, however often it is pressed.
    for (int pressed : {14, 14, 16, 10}) {
        w->PicBut(pressed)->click();
        for (int i : {10, 11, 12, 13, 14, 16})
            EXPECT_EQ(w->PicBut(i)->isChecked(), i == pressed) << pressed << " " << i;
    }
}

TEST_F(Toolbar, ThePictureCommandReloadsByAlbumAndStartsAfresh)
{
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        photo.save(&buffer, "JPEG");
    }
    putPicture("IMG_0001.JPG", jpeg);

    // A built-in picture browsed to, the window closed without OK.
    inPictureWindow = [] { Allgemein::settings().setAlbum(0); Allgemein::settings().setPicture(116); };
    startGame();
    w->PicBut_Click(3);
    EXPECT_EQ(w->PicClip1.Picture(), resources::loadBitmap(216).convertToFormat(w->PicClip1.Picture().format()));
    EXPECT_EQ(w->imgPreview->Picture().toImage().size(), resources::loadBitmap(216).size());
    EXPECT_FALSE(gameRunning());

    // The player's photo: its middle square.
    inPictureWindow = [this] {
        Allgemein::settings().setAlbum(1);
        testsupport::writeFile(folder.filePath("Tavoro.ini"), "[Pictures]\r\nAlbum=1\r\nFile=IMG_0001.JPG\r\n");
    };
    w->PicBut_Click(3);
    ASSERT_TRUE(testsupport::waitForPictures());  // read on the worker
    EXPECT_EQ(w->PicClip1.Picture().size(), QSize(300, 300));
    EXPECT_EQ(w->PictureFile, folder.filePath("pics/IMG_0001.JPG"));
    EXPECT_EQ(w->imgPuzz(0)->Picture().isNull(), false);

    // No file of the stored name (the default "Tavoro1.bmp"), or another
    // Album value: the picture stays, and the new game follows.
    const qint64 kept = w->PicClip1.Picture().cacheKey();
    for (int16_t album : {int16_t(1), int16_t(7)}) {
        inPictureWindow = [this, album] {
            Allgemein::settings().setAlbum(album);
            QFile::remove(folder.filePath("Tavoro.ini"));
        };
        startGame();
        w->PicBut_Click(3);
        EXPECT_EQ(w->PicClip1.Picture().cacheKey(), kept);
        EXPECT_FALSE(gameRunning());
    }

    // A broken file is reported; skipping the step keeps the old picture and
    // the preview and the new game follow.
    putPicture("half.jpg", jpeg.left(jpeg.size() / 2));
    inPictureWindow = [this] {
        Allgemein::settings().setAlbum(1);
        testsupport::writeFile(folder.filePath("Tavoro.ini"), "[Pictures]\r\nFile=half.jpg\r\n");
    };
    errors.answers = {errors::Ignore};
    startGame();
    w->PicBut_Click(3);
    ASSERT_TRUE(testsupport::waitForPictures());
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].object, "frmTavoro");
    EXPECT_EQ(errors.reports[0].procedure, "PicBut_Click");
    EXPECT_EQ(errors.reports[0].failure.number, errors::ErrInvalidPicture);
    errors.reports.clear();
    EXPECT_EQ(w->PicClip1.Picture().cacheKey(), kept);
    EXPECT_FALSE(gameRunning());
}

TEST_F(Toolbar, TheWallpaperCommandRepaintsTheRoomAfterItsWindow)
{
    chosenWallpaper = 107;
    startGame();
    sounds.clear();
    w->PicBut_Click(4);
    EXPECT_EQ(w->imgHinterg->Picture().size(), QSize(30, 10));
    EXPECT_EQ(sounds, std::vector<int16_t>{102});
    const QImage room = w->backgroundImage().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage tile = resources::loadBitmap(107).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(room.pixel(31, 12), tile.pixel(1, 2));
    EXPECT_TRUE(gameRunning());
}

}  // namespace
