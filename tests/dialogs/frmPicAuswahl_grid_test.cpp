// The picture window's grids: what the own pictures' grid shows of a folder,
// the built-in pictures by name, the keys that move the choice, the window's
// size on each screen, a picture pasted twice, and renaming and removing.

#include "dialogs/frmPicAuswahl.h"
#include "dialogs/square_chooser.h"
#include "services/picture_square.h"
#include "support/pictures.h"
#include "support/window_env.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using pictures::Square;
using testsupport::encodePicture;
using testsupport::filledPicture;

namespace {

class PictureGrid : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::unique_ptr<frmPicAuswahl> w;
    QStringList told;

    void SetUp() override
    {
        services::seams().PlayWAV = [](int16_t) {};
        services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1 %2").arg(key).arg("%1"); };
        services::seams().warn = [this](QWidget*, const QString& text) { told << text; };
    }
    void TearDown() override { QApplication::clipboard()->clear(); }

    QString pics() const { return folder.filePath("pics"); }
    void put(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(pics());
        ASSERT_TRUE(testsupport::writeFile(pics() + "/" + name, bytes));
    }
    QByteArray png(QColor colour, int w = 16, int h = 16) { return encodePicture(filledPicture(w, h, colour), "PNG"); }
    void load(int16_t album)
    {
        Allgemein::settings().setAlbum(album);
        w = std::make_unique<frmPicAuswahl>();
        w->Form_Load();
        w->show();
        QApplication::setActiveWindow(w.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        ASSERT_TRUE(testsupport::waitForPictures());
    }
    QListWidgetItem* entry(int i) const { return w->File1->item(i); }
    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < w->File1->ListCount(); ++i)
            names << w->File1->List(i);
        return names;
    }
    void key(QWidget* to, Qt::Key k) { QTest::keyClick(to, k); }
};

TEST_F(PictureGrid, EachFolderShowsItsPicturesNamesAndBrokenFiles)
{
    const QString longName = QString(110, QLatin1Char('x')) + QStringLiteral(" the end.png");
    const QByteArray good = encodePicture(filledPicture(60, 40, Qt::blue), "JPEG");
    const struct {
        const char* folder;
        std::function<void()> fill;
        int count;
        QStringList broken;    // shown as files that cannot be read
        QStringList names;     // a few of the names shown, whole
    } cases[] = {
        {"empty", [] {}, 0, {}, {}},
        {"500 own pictures",
         [&] {
             for (int i = 0; i < 500; ++i)
                 put(QStringLiteral("photo %1.png").arg(i, 3, 10, QLatin1Char('0')), png(QColor::fromHsv(i % 360, 200, 200)));
         },
         500, {}, {"photo 000.png", "photo 499.png"}},
        {"broken files",
         [&] {
             put("cut.jpg", good.left(good.size() / 2));
             put("letter.png", "not a picture at all");
             put("empty.bmp", "");
             put("good.jpg", good);
         },
         4, {"cut.jpg", "empty.bmp", "letter.png"}, {"good.jpg"}},
        {"long and foreign names",
         [&] {
             put(longName, png(Qt::red));
             put(QStringLiteral("Ærø – sommer 東京.png"), png(Qt::green));
             put(QStringLiteral("Фото лета.jpg"), good);
         },
         3, {}, {longName, QStringLiteral("Ærø – sommer 東京.png"), QStringLiteral("Фото лета.jpg")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        QDir(pics()).removeRecursively();
        c.fill();
        load(1);
        ASSERT_EQ(w->File1->ListCount(), c.count);
        // The first entry's preview is read as the window opens: a broken
        // one is reported as a choice of it always was.
        if (!c.broken.isEmpty() && c.broken.contains(w->File1->FileName())) {
            ASSERT_EQ(errors.reports.size(), 1u);
            EXPECT_EQ(errors.reports[0].procedure, "File1_Click");
            errors.reports.clear();
        }
        // An empty folder shows where pictures go instead of an empty grid.
        EXPECT_EQ(w->File1->isVisible(), c.count > 0);
        EXPECT_EQ(w->lblHinweis->isVisible(), c.count == 0);
        for (int i = 0; i < c.count; ++i) {
            const QString name = w->File1->List(i);
            SCOPED_TRACE(name.toStdString());
            EXPECT_TRUE(w->thumbnailArrived(i));
            EXPECT_EQ(w->thumbnailBroken(i), c.broken.contains(name));
            EXPECT_FALSE(entry(i)->icon().isNull());
            // The whole name, read out whole; the tooltip tells a broken file.
            EXPECT_EQ(entry(i)->data(Qt::AccessibleTextRole).toString(), name);
            EXPECT_EQ(entry(i)->toolTip(), c.broken.contains(name) ? "m198 " + name : name);
        }
        for (const QString& name : c.names)
            EXPECT_TRUE(listed().contains(name)) << name.toStdString();
        // A name longer than its cell is elided in its middle, never cut.
        EXPECT_EQ(w->File1->textElideMode(), Qt::ElideMiddle);
        if (c.count > 0)
            EXPECT_EQ(w->File1->visualItemRect(entry(0)).width(), w->File1->visualItemRect(entry(c.count - 1)).width());
    }
}

TEST_F(PictureGrid, ThumbnailsFollowTheChosenSquare)
{
    QImage wide(300, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    for (int x = 200; x < 300; ++x)
        for (int y = 0; y < 100; ++y)
            wide.setPixel(x, y, qRgb(0, 0, 250));
    put("wide.png", encodePicture(wide, "PNG"));
    load(1);
    const auto middleOfThumbnail = [&] {
        const QImage t = entry(0)->icon().pixmap(w->File1->iconSize()).toImage();
        return t.pixelColor(t.width() / 2, t.height() / 2);
    };
    EXPECT_EQ(middleOfThumbnail().red(), 255);  // the middle square: red
    w->picSquare_Chosen(QRect(200, 0, 100, 100));
    ASSERT_TRUE(testsupport::waitForPictures());
    EXPECT_GT(middleOfThumbnail().blue(), 200);  // the right one: blue
}

TEST_F(PictureGrid, BuiltInPicturesAreNamedAndChosenByKeys)
{
    load(0);
    ASSERT_EQ(w->lstBilder->count(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(w->lstBilder->item(i)->data(Qt::AccessibleTextRole).toString(),
                  QStringLiteral("m%1 %2").arg(frmPicAuswahl::kFirstPictureName + i).arg("%1"));
        EXPECT_FALSE(w->lstBilder->item(i)->icon().isNull());
    }
    EXPECT_EQ(w->focusWidget(), w->lstBilder);
    const struct {
        Qt::Key key;
        int picture;  // 0: further on than a row
    } steps[] = {
        {Qt::Key_Right, 102}, {Qt::Key_Down, 106}, {Qt::Key_Left, 105}, {Qt::Key_End, 116},
        {Qt::Key_Home, 101},  {Qt::Key_PageDown, 0},
    };
    for (const auto& s : steps) {
        key(w->focusWidget(), s.key);
        if (s.picture)
            EXPECT_EQ(Allgemein::settings().Picture(), s.picture) << s.key;
        else
            EXPECT_GT(Allgemein::settings().Picture(), 105) << s.key;
        EXPECT_EQ(w->lblSeite->text(), QStringLiteral("m%1 %2")
                                           .arg(frmPicAuswahl::kFirstPictureName + Allgemein::settings().Picture() - 101)
                                           .arg("%1"));
    }
    const int paged = Allgemein::settings().Picture();
    key(w->focusWidget(), Qt::Key_PageUp);
    EXPECT_LT(Allgemein::settings().Picture(), paged);
    key(w->focusWidget(), Qt::Key_Home);
    // From a button the keys still move the choice, not the focus.
    w->cmdOK->setFocus();
    key(w->cmdOK, Qt::Key_Right);
    EXPECT_EQ(Allgemein::settings().Picture(), 102);
    EXPECT_EQ(w->focusWidget(), w->lstBilder);
    // Enter takes it.
    key(w->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(ini().contains("Picture=102\r\n"));

    // Esc drops what was browsed.
    load(0);
    key(w->focusWidget(), Qt::Key_Down);
    key(w->focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_EQ(Allgemein::settings().Picture(), 102);
}

TEST_F(PictureGrid, TheWindowGrowsWithTheScreenAndFitsSmallOnes)
{
    const struct {
        QSize screen;
        int leastHeight;
    } cases[] = {
        {{640, 480}, 330}, {{800, 600}, 330}, {{1024, 768}, 440}, {{1920, 1080}, 600}, {{3840, 2160}, 990},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen.width());
        services::seams().ScreenPixels = [&](const QWidget*) { return c.screen; };
        frmPicAuswahl window;
        window.Form_Load();
        EXPECT_GE(window.height(), c.leastHeight);
        if (c.screen.width() >= 800)
            EXPECT_TRUE(QRect(QPoint(), c.screen).contains(QRect(QPoint(), window.size())));
        // The preview keeps its place on the album's left page.
        EXPECT_NEAR(window.imgBild->width(), window.width() * 3000 / 7500, 2);
        EXPECT_NEAR(window.imgBild->width(), window.imgBild->height(), 1);
    }
}

TEST_F(PictureGrid, APicturePastedTwiceIsStoredOnceAndChosen)
{
    put("other.png", png(Qt::yellow));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        load(0);
        QApplication::clipboard()->setImage(filledPicture(20, 30, Qt::cyan));
        w->pastePicture();
        EXPECT_EQ(w->result(), QDialog::Accepted);
    }
    const QStringList files = QDir(pics()).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 2) << files.join(", ").toStdString();
    const QString pasted = files.filter("m201").value(0);
    EXPECT_TRUE(ini().contains("File=" + pasted + "\r\n"));
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(PictureGrid, RenamingKeepsTheSquareAndTheStoredChoice)
{
    put("IMG_0001.JPG", encodePicture(filledPicture(90, 60, Qt::blue), "JPEG"));
    put("beach.png", png(Qt::yellow));
    put("taken.JPG", encodePicture(filledPicture(30, 60, Qt::red), "JPEG"));
    const QString stored = pics() + "/IMG_0001.JPG";
    ASSERT_TRUE(pictures::storeSquare(stored, {Square::Kind::Region, QRect(30, 0, 60, 60)}));
    ASSERT_TRUE(testsupport::writeFile(folder.filePath("Tavoro.ini"), "[Pictures]\r\nFile=IMG_0001.JPG\r\n"));
    std::optional<QString> answer;
    QString preset;
    services::seams().InputBox = [&](QWidget*, const QString&, const QString&, const QString& p,
                                     const std::function<QString(const QString&)>&) {
        preset = p;
        return answer;
    };
    load(1);
    ASSERT_EQ(w->File1->FileName(), "IMG_0001.JPG");

    const struct {
        std::optional<QString> answer;
        const char* named;  // the file's name afterwards
        const char* told;   // the warning's message, if any
    } cases[] = {
        {std::nullopt, "IMG_0001.JPG", nullptr},  // cancelled
        {"taken", "IMG_0001.JPG", "m389 taken.JPG"},
        {"a/b", "IMG_0001.JPG", "m390 a/b"},
        {"   ", "IMG_0001.JPG", "m390 "},
        {"Sommer am Meer – Ærø", "Sommer am Meer – Ærø.JPG", nullptr},
        // The ending stays the picture's, whatever its letters' case.
        {"Summer.jpg", "Summer.JPG", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.value_or("(cancel)").toStdString());
        told.clear();
        answer = c.answer;
        key(w->File1, Qt::Key_F2);
        EXPECT_EQ(told.value(0), c.told ? QString::fromUtf8(c.told) : QString());
        EXPECT_EQ(w->File1->FileName(), QString::fromUtf8(c.named));
        EXPECT_TRUE(QFileInfo::exists(pics() + "/" + QString::fromUtf8(c.named)));
        ASSERT_TRUE(testsupport::waitForPictures());
    }
    EXPECT_EQ(listed(), (QStringList{"beach.png", "Summer.JPG", "taken.JPG"}));
    EXPECT_EQ(preset, QStringLiteral("Sommer am Meer – Ærø"));  // the name without its ending
    // The square went with the picture, and the game plays it under its new name.
    EXPECT_EQ(pictures::storedSquare(pics() + "/Summer.JPG"), (Square{Square::Kind::Region, QRect(30, 0, 60, 60)}));
    EXPECT_TRUE(ini().contains("File=Summer.JPG\r\n"));
}

TEST_F(PictureGrid, RemovingAsksAndUsesTheTrashWhereThereIsOne)
{
    for (const char* name : {"a.png", "b.png", "c.png"})
        put(name, png(QColor(name[0] * 2, 10, 10)));
    ASSERT_TRUE(pictures::storeSquare(pics() + "/b.png", {Square::Kind::Stretch, {}}));
    QStringList asked, trashed;
    bool yes = false, trash = true;
    services::seams().askYesNoDefaultNo = [&](QWidget*, const QString& text, const QString&) {
        asked << text;
        return yes;
    };
    services::seams().moveToTrash = [&](const QString& path) {
        if (!trash)
            return false;
        trashed << QFileInfo(path).fileName();
        return QFile::remove(path);
    };
    load(1);
    w->File1->setCurrentRow(1);  // b.png
    ASSERT_TRUE(testsupport::waitForPictures());

    // No: nothing happens.
    w->cmdRemove->click();
    EXPECT_EQ(asked, QStringList{"m392 b.png"});
    EXPECT_EQ(listed(), (QStringList{"a.png", "b.png", "c.png"}));

    // Yes: into the trash, the next picture chosen, its square forgotten.
    yes = true;
    key(w->File1, Qt::Key_Delete);
    EXPECT_EQ(trashed, QStringList{"b.png"});
    EXPECT_EQ(listed(), (QStringList{"a.png", "c.png"}));
    EXPECT_EQ(w->File1->FileName(), "c.png");
    EXPECT_EQ(pictures::storedSquare(pics() + "/b.png"), Square{});
    ASSERT_TRUE(testsupport::waitForPictures());

    // No trash: asked again before it is deleted for good.
    trash = false;
    asked.clear();
    yes = true;
    w->cmdRemove->click();
    EXPECT_EQ(asked, (QStringList{"m392 c.png", "m393 c.png"}));
    EXPECT_EQ(listed(), QStringList{"a.png"});
    EXPECT_EQ(w->File1->FileName(), "a.png");
    EXPECT_TRUE(told.isEmpty());
    ASSERT_TRUE(testsupport::waitForPictures());

    // The last one gone: the folder's hint instead of the grid.
    trash = true;
    w->cmdRemove->click();
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(w->lblHinweis->isVisible());
    EXPECT_FALSE(w->cmdRemove->isEnabled());
}

TEST_F(PictureGrid, TheSquareOfAThinPanoramaHasHandlesAndMovesByKeys)
{
    put("panorama.png", encodePicture(filledPicture(1000, 200, Qt::darkGreen), "PNG"));
    load(1);
    dialogs::SquareChooser* chooser = w->picSquare;
    ASSERT_TRUE(chooser->isVisible());
    ASSERT_EQ(chooser->square(), QRect(400, 0, 200, 200));
    // The square is thin on the screen; its corner is still taken hold of
    // from a handle's outer part, a whole handle away.
    const QRectF area = chooser->pictureArea();
    const qreal perPixel = area.width() / 1000;
    const QPointF corner = area.topLeft() + QPointF(600, 200) * perPixel;
    const QPointF grip = corner + QPointF(dialogs::SquareChooser::kHandle / 2, dialogs::SquareChooser::kHandle / 2);
    ASSERT_TRUE(chooser->rect().contains(grip.toPoint()));
    QTest::mousePress(chooser, Qt::LeftButton, Qt::NoModifier, grip.toPoint());
    QTest::mouseMove(chooser, (grip - QPointF(60, 60) * perPixel).toPoint());
    QTest::mouseRelease(chooser, Qt::LeftButton, Qt::NoModifier, (grip - QPointF(60, 60) * perPixel).toPoint());
    EXPECT_LT(chooser->square().width(), 200);
    EXPECT_EQ(chooser->square().topLeft(), QPoint(400, 0));

    // By keys: moved a twentieth of its side, sized about its middle.
    ASSERT_TRUE(pictures::storeSquare(pics() + "/panorama.png", Square{}));
    load(1);
    chooser = w->picSquare;
    chooser->setFocus();
    key(chooser, Qt::Key_Right);
    EXPECT_EQ(chooser->square(), QRect(410, 0, 200, 200));
    EXPECT_EQ(pictures::storedSquare(pics() + "/panorama.png"), (Square{Square::Kind::Region, QRect(410, 0, 200, 200)}));
    key(chooser, Qt::Key_Minus);
    EXPECT_EQ(chooser->square(), QRect(420, 10, 180, 180));
    key(chooser, Qt::Key_Up);
    EXPECT_EQ(chooser->square().top(), 1);
    QTest::keyClick(chooser, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(chooser->square().left(), 420 - 45);
    for (int i = 0; i < 40; ++i)
        key(chooser, Qt::Key_Minus);
    EXPECT_EQ(chooser->square().width(), 100);  // half the largest at the least
    for (int i = 0; i < 200; ++i)
        key(chooser, Qt::Key_Right);
    EXPECT_EQ(chooser->square().right(), 999);  // never beyond the picture
    ASSERT_TRUE(testsupport::waitForPictures());
}

}  // namespace
