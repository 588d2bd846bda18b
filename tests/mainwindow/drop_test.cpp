// New pictures for the room: dropped files or picture data, and Ctrl+V, are
// copied into "pics" and the last one is played; what is no picture is told
// and changes nothing.

#include "mainwindow/frmTavoro.h"
#include "services/picture_square.h"
#include "services/resources.h"
#include "support/pictures.h"
#include "support/room.h"
#include "support/window_env.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>

using widgets::seams;

namespace {

using testsupport::filledPicture;

class RoomPictures : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::unique_ptr<frmTavoro> w;
    QStringList told;
    QTemporaryDir from;  // where the player's files lie

    void SetUp() override
    {
        services::seams().resourceRoot = ":/testres";
        services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1 %2").arg(key).arg("%1"); };
        services::seams().warn = [this](QWidget*, const QString& text) { told << text; };
        w = testsupport::openRoom();
    }
    void TearDown() override
    {
        w.reset();
        
        QApplication::clipboard()->clear();
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = from.filePath(name);
        EXPECT_TRUE(testsupport::writeFile(path, bytes));
        return path;
    }
    void drop(QMimeData& data)
    {
        QDropEvent e(QPointF(200, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject*>(w.get())->event(&e);  // as the window system delivers it
    }
    QStringList pics() const { return QDir(folder.filePath("pics")).entryList(QDir::Files); }
};

TEST_F(RoomPictures, WhatIsDroppedOrPastedIsCopiedAndTheLastOnePlayed)
{
    const QByteArray jpeg = testsupport::encodePicture(filledPicture(120, 80, Qt::red), "JPEG");
    const QByteArray png = testsupport::encodePicture(filledPicture(50, 70, Qt::green), "PNG");
    const QByteArray bmp = testsupport::encodePicture(filledPicture(30, 30, Qt::blue), "BMP");
    enum class How { Files, Data, Paste, PasteNothing };
    const struct {
        const char* what;
        How how;
        QStringList files;      // dropped (names in `from`)
        QStringList expected;   // in "pics" afterwards
        const char* played;     // the File stored, or none
        QSize picture;          // the puzzle picture then
        int told;               // messages shown
    } cases[] = {
        {"one photo", How::Files, {"photo.jpg"}, {"photo.jpg"}, "photo.jpg", {80, 80}, 0},
        {"several, one no picture", How::Files, {"a.png", "notes.txt", "b.bmp"},
         {"a.png", "b.bmp", "photo.jpg"}, "b.bmp", {30, 30}, 1},
        {"only a non-picture", How::Files, {"notes.txt"}, {"a.png", "b.bmp", "photo.jpg"}, nullptr, {}, 1},
        // The same picture again: the one there is played, not copied twice.
        {"the same picture again", How::Files, {"photo.jpg"},
         {"a.png", "b.bmp", "photo.jpg"}, "photo.jpg", {80, 80}, 0},
        {"picture data from a browser", How::Data, {}, {}, "m201 ", {64, 64}, 0},
        {"a paste", How::Paste, {}, {}, "m201 ", {64, 64}, 0},
        {"a paste with no picture", How::PasteNothing, {}, {}, nullptr, {}, 1},
    };
    file("photo.jpg", jpeg);
    file("a.png", png);
    file("b.bmp", bmp);
    file("notes.txt", "milk, bread");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        told.clear();
        const QStringList before = pics();
        const qint64 pictureBefore = w->PicClip1.Picture().cacheKey();
        const QString iniBefore = ini();
        QMimeData data;
        switch (c.how) {
        case How::Files: {
            QList<QUrl> urls;
            for (const QString& f : c.files)
                urls << QUrl::fromLocalFile(from.filePath(f));
            data.setUrls(urls);
            drop(data);
            break;
        }
        case How::Data:
            data.setImageData(filledPicture(64, 64, Qt::yellow));
            drop(data);
            break;
        case How::Paste:
            QApplication::clipboard()->setImage(filledPicture(64, 64, Qt::cyan));
            for (QShortcut* s : w->findChildren<QShortcut*>())
                if (s->key() == QKeySequence(QKeySequence::Paste))
                    s->activated();
            break;
        case How::PasteNothing:
            QApplication::clipboard()->setText("words");
            w->pastePicture();
            break;
        }
        // Read on the worker: played when it arrives.
        ASSERT_TRUE(testsupport::waitForPictures());
        EXPECT_EQ(told.size(), c.told) << told.join("|").toStdString();
        if (!c.expected.isEmpty())
            EXPECT_EQ(pics(), c.expected);
        if (c.played) {
            EXPECT_TRUE(ini().contains("Album=1\r\n"));
            const QString stored = ini().section("File=", 1).section("\r\n", 0, 0);
            EXPECT_TRUE(stored.startsWith(c.played)) << stored.toStdString();
            EXPECT_TRUE(pics().contains(stored));
            EXPECT_EQ(w->PictureFile, folder.filePath("pics/" + stored));
            EXPECT_EQ(w->PicClip1.Picture().size(), c.picture);
            EXPECT_TRUE(w->board.locked());  // a new game, ready to start
        } else {
            EXPECT_EQ(pics(), before);
            EXPECT_EQ(w->PicClip1.Picture().cacheKey(), pictureBefore);
            EXPECT_EQ(ini(), iniBefore);
        }
    }
    EXPECT_TRUE(told.first().startsWith("m200"));
}

// A panorama whose square was moved to its left edge is played as that square.
TEST_F(RoomPictures, TheChosenSquareIsWhatTheBoardShows)
{
    QImage panorama(90, 30, QImage::Format_RGB32);
    for (int x = 0; x < 90; ++x)
        for (int y = 0; y < 30; ++y)
            panorama.setPixel(x, y, qRgb(x * 2, y * 5, 100));
    QDir().mkpath(folder.filePath("pics"));
    const QString path = folder.filePath("pics/wide.png");
    ASSERT_TRUE(testsupport::writeFile(path, testsupport::encodePicture(panorama, "PNG")));
    ASSERT_TRUE(pictures::storeSquare(path, {pictures::Square::Kind::Region, {0, 0, 30, 30}}));
    ASSERT_TRUE(testsupport::writeFile(folder.filePath("Tavoro.ini"),
                                       "[Pictures]\r\nAlbum=1\r\nFile=wide.png\r\n"));
    w = std::make_unique<frmTavoro>();
    w->Form_Load();
    ASSERT_TRUE(testsupport::waitForPictures());
    EXPECT_EQ(w->PicClip1.Picture(), panorama.copy(0, 0, 30, 30));
}

}  // namespace

TEST_F(RoomPictures, ARunningGameGoesOnlyWhenThePlayerGivesItUp)
{
    int questions = 0;
    bool yes = false;
    services::seams().askYesNoDefaultNo = [&](QWidget*, const QString&, const QString&) {
        ++questions;
        return yes;
    };
    Allgemein::settings().setSize(3);
    w->NewGame();
    ASSERT_TRUE(testsupport::playOn(*w, 3, game::Mode::Slide, {1, 2, 3, 4, 5, 6, 0, 7, 8}, 0));
    w->imgPuzz_MouseDown(7, 1, 0, 0, 0);
    const QString path = file("sea.png", testsupport::encodePicture(filledPicture(40, 40, Qt::blue), "PNG"));
    for (bool answer : {false, true}) {
        yes = answer;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        drop(data);
        ASSERT_TRUE(testsupport::waitForPictures());
        EXPECT_EQ(w->board.locked(), answer);  // No: the game goes on
    }
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(pics().size(), 1);  // copied once, found there the second time
}
