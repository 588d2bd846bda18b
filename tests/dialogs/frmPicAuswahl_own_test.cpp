// The picture window's own pictures: "Add pictures...", a drop, Ctrl+V, the
// folder button, and the square chosen on the preview of a picture that is
// not square, kept per file.

#include "dialogs/frmPicAuswahl.h"
#include "dialogs/square_chooser.h"
#include "services/picture_square.h"
#include "support/pictures.h"
#include "support/window_env.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>

using pictures::Square;
using widgets::seams;

namespace {

using testsupport::filledPicture;

class OwnPictures : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::unique_ptr<frmPicAuswahl> w;
    QStringList told;
    QStringList chosen;  // what the file dialog answers
    QString opened;
    QTemporaryDir from;

    void SetUp() override
    {
        services::seams().PlayWAV = [](int16_t) {};
        services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1 %2").arg(key).arg("%1"); };
        services::seams().warn = [this](QWidget*, const QString& text) { told << text; };
        services::seams().chooseFiles = [this](QWidget*, const QString&, const QString& filter) {
            EXPECT_TRUE(filter.contains("*.webp")) << filter.toStdString();
            return chosen;
        };
        services::seams().openFolder = [this](const QString& f) {
            opened = f;
            return true;
        };
    }
    void TearDown() override { QApplication::clipboard()->clear(); }

    QString pics() const { return folder.filePath("pics"); }
    QString file(const QString& name, const QImage& img, const char* format = "PNG")
    {
        const QString path = from.filePath(name);
        EXPECT_TRUE(testsupport::writeFile(path, testsupport::encodePicture(img, format)));
        return path;
    }
    void load()
    {
        w = std::make_unique<frmPicAuswahl>();
        w->Form_Load();
        w->show();
        // An own picture's preview is read on the worker.
        ASSERT_TRUE(testsupport::waitForPictures());
    }
    void mouse(QWidget* to, QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, at, to->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(to, &e);
    }
    void drag(QWidget* on, QPointF a, QPointF b)
    {
        mouse(on, QEvent::MouseButtonPress, a, Qt::LeftButton);
        mouse(on, QEvent::MouseMove, (a + b) / 2, Qt::LeftButton);
        mouse(on, QEvent::MouseMove, b, Qt::LeftButton);
        mouse(on, QEvent::MouseButtonRelease, b, Qt::NoButton);
    }
};

TEST_F(OwnPictures, AddedPicturesAreListedAndTheLastChosen)
{
    load();
    EXPECT_EQ(w->cmdAdd->text(), "m190 %1");
    chosen = {file("b.png", filledPicture(40, 40, Qt::red)), from.filePath("missing.jpg"),
              file("a.jpg", filledPicture(60, 40, Qt::blue), "JPEG")};
    w->cmdAdd->click();
    EXPECT_EQ(Allgemein::settings().Album(), 1);  // the files in front
    EXPECT_EQ(w->File1->FileName(), "a.jpg");
    EXPECT_EQ(QDir(pics()).entryList(QDir::Files), (QStringList{"a.jpg", "b.png"}));
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0], "m198 missing.jpg");
    EXPECT_TRUE(w->isVisible());  // the player may choose the square first

    // Cancelled: nothing.
    chosen.clear();
    told.clear();
    w->cmdAdd->click();
    EXPECT_TRUE(told.isEmpty());

    w->cmdFolder->click();
    EXPECT_EQ(opened, pics());
}

TEST_F(OwnPictures, ADropOrAPasteIsPlayedAtOnce)
{
    const QString png = file("dropped.png", filledPicture(30, 50, Qt::green));
    for (bool paste : {false, true}) {
        SCOPED_TRACE(paste ? "paste" : "drop");
        load();
        if (paste) {
            QApplication::clipboard()->setImage(filledPicture(20, 20, Qt::cyan));
            for (QShortcut* s : w->findChildren<QShortcut*>())
                if (s->key() == QKeySequence(QKeySequence::Paste))
                    s->activated();
        } else {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(png)});
            QDropEvent e(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            static_cast<QObject*>(w.get())->event(&e);  // as the window system delivers it
        }
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->result(), QDialog::Accepted);
        EXPECT_TRUE(ini().contains("Album=1\r\n"));
        EXPECT_TRUE(ini().contains(paste ? "File=m201 " : "File=dropped.png\r\n"));
    }
    // A paste with nothing on the clipboard says so and keeps the window open.
    QApplication::clipboard()->clear();
    load();
    w->pastePicture();
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith("m200"));
}

TEST_F(OwnPictures, TheSquareOfAPanoramaIsChosenAndKeptPerFile)
{
    QDir().mkpath(pics());
    QImage wide(300, 100, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 100; ++y)
            wide.setPixel(x, y, qRgb(x < 100 ? 250 : 0, x >= 100 && x < 200 ? 250 : 0, x >= 200 ? 250 : 0));
    ASSERT_TRUE(testsupport::writeFile(pics() + "/wide.png", testsupport::encodePicture(wide, "PNG")));
    ASSERT_TRUE(testsupport::writeFile(pics() + "/square.png",
                                       testsupport::encodePicture(filledPicture(50, 50, Qt::red), "PNG")));
    Allgemein::settings().setAlbum(1);
    load();
    // A square picture needs no choosing.
    EXPECT_EQ(w->File1->FileName(), "square.png");
    EXPECT_FALSE(w->picSquare->isVisible());
    EXPECT_FALSE(w->chkStretch->isVisible());
    w->File1->setCurrentRow(1);  // wide.png, as the player's click
    ASSERT_TRUE(testsupport::waitForPictures());
    ASSERT_EQ(w->File1->FileName(), "wide.png");
    EXPECT_TRUE(w->picSquare->isVisible());
    EXPECT_TRUE(w->chkStretch->isVisible());
    EXPECT_FALSE(w->imgBild->isVisible());
    EXPECT_EQ(w->picSquare->square(), QRect(100, 0, 100, 100));  // the middle at first

    // Dragged to the left edge (and beyond): stored, and the preview is red.
    const QRectF area = w->picSquare->pictureArea();
    const qreal perPixel = area.width() / 300;
    const QPointF middle = area.center();
    drag(w->picSquare, middle, middle - QPointF(150 * perPixel, 0));
    EXPECT_EQ(w->picSquare->square(), QRect(0, 0, 100, 100));
    EXPECT_EQ(pictures::storedSquare(pics() + "/wide.png"), (Square{Square::Kind::Region, {0, 0, 100, 100}}));
    const QImage preview = w->imgBild->Picture().toImage();
    EXPECT_GT(qRed(preview.pixel(preview.width() / 2, preview.height() / 2)), 200);

    // Its corner dragged inwards: smaller, but never below half the largest.
    const QPointF corner = area.topLeft() + QPointF(100, 100) * perPixel;
    drag(w->picSquare, corner - QPointF(2, 2), corner - QPointF(80, 80) * perPixel);
    EXPECT_EQ(w->picSquare->square(), QRect(0, 0, 50, 50));
    drag(w->picSquare, area.topLeft() + QPointF(50, 50) * perPixel,
         area.topLeft() + QPointF(40, 60) * perPixel);
    EXPECT_EQ(w->picSquare->square(), QRect(0, 0, 60, 60));

    // Kept for the next time the window opens.
    load();
    w->File1->setCurrentRow(1);
    ASSERT_TRUE(testsupport::waitForPictures());
    EXPECT_EQ(w->picSquare->square(), QRect(0, 0, 60, 60));

    // The whole picture stretched instead, and back.
    w->chkStretch->click();
    ASSERT_TRUE(testsupport::waitForPictures());
    EXPECT_EQ(pictures::storedSquare(pics() + "/wide.png"), (Square{Square::Kind::Stretch, {0, 0, 60, 60}}));
    EXPECT_TRUE(w->imgBild->isVisible());
    EXPECT_FALSE(w->picSquare->isVisible());
    EXPECT_EQ(w->imgBild->Picture().size(), w->imgBild->Picture().size().transposed());
    w->chkStretch->click();
    ASSERT_TRUE(testsupport::waitForPictures());
    EXPECT_EQ(pictures::storedSquare(pics() + "/wide.png"), (Square{Square::Kind::Region, {0, 0, 60, 60}}));
    EXPECT_TRUE(w->picSquare->isVisible());

    // The built-in side shows none of it.
    w->imgTab_Click(1);
    EXPECT_FALSE(w->picSquare->isVisible());
    EXPECT_FALSE(w->chkStretch->isVisible());
    EXPECT_TRUE(w->imgBild->isVisible());
}

// The previews are read on the worker: the window goes on while a large
// picture is read, the file chosen last is the one shown, and OK while its
// preview is still read takes that file.
TEST_F(OwnPictures, PreviewsArriveWithoutStoppingTheWindow)
{
    QDir().mkpath(pics());
    ASSERT_TRUE(testsupport::writeFile(pics() + "/a.png",
                                       testsupport::encodePicture(filledPicture(40, 40, Qt::red), "PNG")));
    ASSERT_TRUE(testsupport::writeFile(pics() + "/b.png",
                                       testsupport::encodePicture(filledPicture(50, 50, Qt::blue), "PNG")));
    Allgemein::settings().setAlbum(1);
    {
        testsupport::HeldPictures held;
        w = std::make_unique<frmPicAuswahl>();
        w->Form_Load();
        w->show();
        ASSERT_TRUE(held.untilWaiting(1));  // a.png
        EXPECT_TRUE(w->previewArriving());
        w->File1->setCurrentRow(1);  // b.png, as the player's click
        held.open();
        ASSERT_TRUE(testsupport::waitForPictures());
    }
    EXPECT_FALSE(w->previewArriving());
    const QImage shown = w->imgBild->Picture().toImage();
    ASSERT_EQ(shown.size(), QSize(50, 50));
    EXPECT_EQ(shown.pixelColor(25, 25), QColor(Qt::blue));

    testsupport::HeldPictures held;
    w->File1->setCurrentRow(0);  // a.png
    ASSERT_TRUE(held.untilWaiting(1));
    w->cmdOK->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(ini().contains("File=a.png\r\n"));
    EXPECT_FALSE(w->previewArriving());
}

}  // namespace
