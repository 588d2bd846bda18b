// The player's own picture is read on a worker thread: the room goes on
// while it is read, Start waits for it, and a picture chosen meanwhile wins.

#include "mainwindow/frmTavoro.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "support/board_texts.h"
#include "support/files.h"
#include "support/pictures.h"
#include "support/window_env.h"
#include "widgets/controls.h"
#include "widgets/seams.h"

#include <QDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

class RoomPicture : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::unique_ptr<frmTavoro> w;
    QImage photo = testsupport::filledPicture(90, 60, Qt::darkCyan);

    void SetUp() override
    {
        services::seams().GetLang = testsupport::boardText;
        services::seams().PlayWAV = [](int16_t) {};
        services::seams().Zufallszahl = [](int16_t lo, int16_t) { return lo; };
        services::seams().ScreenPixels = [](const QWidget*) { return QSize(1024, 768); };
        QDir(folder.path()).mkpath("pics");
        ASSERT_TRUE(testsupport::writeFile(folder.filePath("pics/photo.png"),
                                           testsupport::encodePicture(photo, "PNG")));
        ASSERT_TRUE(testsupport::writeFile(folder.filePath("Tavoro.ini"),
                                           "[Optionen]\r\nSize=3\r\n"
                                           "[Pictures]\r\nAlbum=1\r\nFile=photo.png\r\n"));
    }
    void open()
    {
        w = std::make_unique<frmTavoro>();
        w->Form_Load();
        w->resize(684, 470);
        w->positionieren();
    }
    // The middle square of the photo, as the board shows it.
    QImage square() const
    {
        return photo.copy(15, 0, 60, 60).convertToFormat(w->PicClip1.Picture().format());
    }
};

// The start does not wait for the picture: the room is laid out and its
// event loop turns while the picture is still read; Start pressed meanwhile
// starts the game on the player's picture once it is there.
TEST_F(RoomPicture, TheRoomGoesOnWhileThePictureIsReadAndStartWaitsForIt)
{
    testsupport::HeldPictures held;
    open();
    ASSERT_TRUE(held.untilWaiting(1));
    EXPECT_TRUE(w->pictureArriving());
    EXPECT_NE(w->PicClip1.Picture(), square());
    bool turned = false;
    QTimer::singleShot(0, [&] { turned = true; });
    QCoreApplication::processEvents();
    EXPECT_TRUE(turned);

    w->PicBut_Click(0);  // Start
    EXPECT_TRUE(w->board.locked());
    EXPECT_TRUE(w->PicBut(0)->isEnabled());

    held.open();
    ASSERT_TRUE(testsupport::waitForPictures());
    EXPECT_FALSE(w->pictureArriving());
    EXPECT_EQ(w->PicClip1.Picture(), square());
    EXPECT_EQ(w->imgPreview->Picture().toImage().size(), QSize(60, 60));
    EXPECT_FALSE(w->board.locked());  // the game runs, on the photo
    EXPECT_FALSE(w->PicBut(0)->isEnabled());
    EXPECT_EQ(Allgemein::settings().Album(), 1);
    EXPECT_EQ(w->PictureFile, folder.filePath("pics/photo.png"));
}

// Another picture chosen while the photo is read, or the window gone, and
// what is read arrives unseen.
TEST_F(RoomPicture, APictureReadTooLateIsDropped)
{
    {
        testsupport::HeldPictures held;
        open();
        ASSERT_TRUE(held.untilWaiting(1));
        widgets::seams().showPictureWindow = [](QWidget*) {
            Allgemein::settings().setAlbum(0);
            Allgemein::settings().setPicture(105);
        };
        w->PicBut_Click(3);
        EXPECT_FALSE(w->pictureArriving());
        held.open();
        ASSERT_TRUE(testsupport::waitForPictures());
        const QImage builtIn = resources::loadBitmap(205);
        EXPECT_EQ(w->PicClip1.Picture(), builtIn.convertToFormat(w->PicClip1.Picture().format()));
    }
    {
        testsupport::HeldPictures held;
        open();
        ASSERT_TRUE(held.untilWaiting(1));
        w.reset();
        held.open();
        EXPECT_TRUE(testsupport::waitForPictures());
    }
}

}  // namespace

// A game given up for a new own picture takes no more moves while the
// picture is read: they would be thrown away when it arrives.
TEST_F(RoomPicture, AGameGivenUpForAPictureTakesNoMovesWhileItIsRead)
{
    open();
    ASSERT_TRUE(testsupport::waitForPictures());
    w->Start();
    // The empty place is the last one (the shuffle's random numbers are all
    // the lowest): its left neighbour slides.
    const int next = w->board.emptyPlace() % 3 ? w->board.emptyPlace() - 1 : w->board.emptyPlace() + 1;
    w->imgPuzz_MouseDown(int16_t(next), 1, 0, 0, 0);
    ASSERT_EQ(w->board.moves(), 1);

    services::seams().askYesNoDefaultNo = [](QWidget*, const QString&, const QString&) { return true; };
    testsupport::HeldPictures held;
    w->playNewPictures({QStringLiteral("photo.png")});
    ASSERT_TRUE(held.untilWaiting(1));
    const int back = w->board.emptyPlace() % 3 ? w->board.emptyPlace() - 1 : w->board.emptyPlace() + 1;
    w->imgPuzz_MouseDown(int16_t(back), 1, 0, 0, 0);
    EXPECT_EQ(w->board.moves(), 1);

    held.open();
    ASSERT_TRUE(testsupport::waitForPictures());
    EXPECT_EQ(w->board.moves(), 0);  // a new game on the picture
}
