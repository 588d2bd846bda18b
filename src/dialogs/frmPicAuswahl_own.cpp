// The picture window's own pictures: adding them from the file dialog, a
// drop or the clipboard, opening their folder, and choosing the square the
// board shows of a picture that is not square.

#include "dialogs/frmPicAuswahl.h"

#include "dialogs/square_chooser.h"
#include "errors/trap.h"
#include "platform/twips.h"
#include "services/picture_square.h"
#include "services/settings.h"
#include "widgets/room_look.h"
#include "widgets/picture_intake.h"
#include "services/seams.h"
#include "widgets/seams.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

using Allgemein::settings;
using errors::Procedure;
using widgets::seams;

namespace {

// The preview: 3000 twips square at (600, 1140); its picture is read at
// twice its size in pixels, sharp on screens with two device pixels to the
// pixel, and the whole picture for choosing the square at twice that again,
// so that the square cut from it is as sharp.
constexpr int kPreviewSide = 3000;
constexpr int kPreviewPixels = 2 * kPreviewSide / twips::TwipsPerPixel;
constexpr int kWholePixels = 2 * kPreviewPixels;

// The part of the shown picture that the square of the whole picture covers.
QImage cutShown(const QImage& shown, QSize whole, QRect square)
{
    const qreal scale = qreal(shown.width()) / whole.width();
    const int side = std::max(1, int(std::lround(square.width() * scale)));
    const QPoint at(int(std::lround(square.x() * scale)), int(std::lround(square.y() * scale)));
    return shown.copy(QRect(at, QSize(side, side)).intersected(shown.rect()));
}

}  // namespace

void frmPicAuswahl::createOwnPictureControls()
{
    cmdAdd = new QPushButton(fraAuswahl[1]);
    cmdAdd->setGeometry(twips::rect(120, 2040, 2040, 450));
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });

    cmdFolder = new QPushButton(fraAuswahl[1]);
    cmdFolder->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    widgets::keepPlacedSize(cmdFolder);
    cmdFolder->setGeometry(twips::rect(2220, 2040, 360, 450));
    connect(cmdFolder, &QPushButton::clicked, this, [this] { cmdFolder_Click(); });

    chkStretch = new QCheckBox(this);
    chkStretch->setGeometry(twips::rect(600, 4170, 3000, 330));
    chkStretch->setStyleSheet(QStringLiteral("color: #4a3520; background: transparent;"));
    chkStretch->hide();
    connect(chkStretch, &QCheckBox::clicked, this, [this] { chkStretch_Click(); });

    picSquare = new dialogs::SquareChooser(this);
    dialogs::placeTwips(picSquare, 600, 1140, kPreviewSide, kPreviewSide);
    picSquare->hide();
    picSquare->onChosen = [this](QRect square) { picSquare_Chosen(square); };
    picSquare->onDblClick = [this] { imgBild_DblClick(); };

    setAcceptDrops(true);
    auto* paste = new QShortcut(QKeySequence::Paste, this);
    connect(paste, &QShortcut::activated, this, [this] { pastePicture(); });
}

void frmPicAuswahl::setOwnPictureTexts()
{
    cmdAdd->setText(services::textOf(190));
    // The button's text shrinks where a language's words are long; the look's
    // padding counts, so the window takes its look first.
    ensurePolished();
    widgets::fitText(cmdAdd);
    cmdFolder->setToolTip(services::textOf(191));
    chkStretch->setText(services::textOf(192));
    picSquare->setToolTip(services::textOf(193));
}

QString frmPicAuswahl::selectedPath() const
{
    return File1->Path() + QLatin1Char('/') + File1->FileName();
}

void frmPicAuswahl::showFilePreview(const QString& path)
{
    setCursor(Qt::BusyCursor);
    chkStretch->setEnabled(false);
    picSquare->setEnabled(false);
    previewLater_.readWhole(path, kWholePixels, [this, path](const pictures::Decoded& read) {
        forgetPreviewUnderWay();
        showReadPreview(path, read);
    });
}

void frmPicAuswahl::forgetPreviewUnderWay()
{
    previewLater_.cancel();
    unsetCursor();
    chkStretch->setEnabled(true);
    picSquare->setEnabled(true);
}

void frmPicAuswahl::showReadPreview(const QString& path, const pictures::Decoded& read)
{
    Procedure proc{"frmPicAuswahl", "File1_Click"};
    proc.run({
        // A file that cannot be read fails before the preview changes.
        [&] { read.raiseFailure(); },
        [&] {
            shownWhole_ = read.picture;
            wholeSize_ = read.upright;
            const QSize whole = read.upright;
            const pictures::Square square = pictures::storedSquare(path);
            const bool stretched = square.kind == pictures::Square::Kind::Stretch;
            const QRect region = pictures::squareOf(square, whole);
            if (stretched)
                imgBild->setPicture(QPixmap::fromImage(
                    read.picture.scaled(kPreviewPixels, kPreviewPixels, Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation)));
            else
                imgBild->setPicture(QPixmap::fromImage(cutShown(read.picture, whole, region)));
            picSquare->setPicture(read.picture, whole, region);
            showSquareControls(whole.width() != whole.height(), stretched);
        },
    });
}

void frmPicAuswahl::showSquareControls(bool notSquare, bool stretched)
{
    chkStretch->setVisible(notSquare);
    chkStretch->setChecked(stretched);
    picSquare->setVisible(notSquare && !stretched);
    imgBild->setVisible(!notSquare || stretched);
}

void frmPicAuswahl::cmdAdd_Click()
{
    Procedure proc{"frmPicAuswahl", "cmdAdd_Click"};
    QStringList chosen;
    proc.run({
        [&] {
            QString caption = services::textOf(190);
            caption.remove(QLatin1Char('&'));
            if (caption.endsWith(QLatin1String("...")))
                caption.chop(3);
            chosen = services::seams().chooseFiles(this, caption, widgets::pictureFilter());
        },
        [&] { takeAdded(widgets::takePictureFiles(this, chosen), false); },
    });
}

void frmPicAuswahl::cmdFolder_Click()
{
    Procedure proc{"frmPicAuswahl", "cmdFolder_Click"};
    proc.run({
        [&] { widgets::openPicsFolder(this); },
    });
}

void frmPicAuswahl::chkStretch_Click()
{
    Procedure proc{"frmPicAuswahl", "chkStretch_Click"};
    proc.run({
        [&] {
            if (File1->ListIndex() < 0)
                return;
            // The square stays kept while stretched, for turning back.
            using Kind = pictures::Square::Kind;
            const pictures::Square square{chkStretch->isChecked() ? Kind::Stretch : Kind::Region,
                                          picSquare->square()};
            pictures::storeSquare(selectedPath(), square);
        },
        [&] { showFilePreview(selectedPath()); },
    });
}

void frmPicAuswahl::picSquare_Chosen(QRect square)
{
    Procedure proc{"frmPicAuswahl", "picSquare_Chosen"};
    proc.run({
        [&] {
            if (File1->ListIndex() < 0)
                return;
            // The middle square is kept as no choice at all.
            const bool middle = square == pictures::centredSquare(wholeSize_);
            pictures::storeSquare(selectedPath(),
                                  middle ? pictures::Square{}
                                         : pictures::Square{pictures::Square::Kind::Region, square});
        },
        [&] { imgBild->setPicture(QPixmap::fromImage(cutShown(shownWhole_, wholeSize_, square))); },
    });
}

void frmPicAuswahl::pastePicture()
{
    Procedure proc{"frmPicAuswahl", "pastePicture"};
    proc.run({
        [&] { takeAdded(widgets::pastePicture(this), true); },
    });
}

void frmPicAuswahl::dragEnterEvent(QDragEnterEvent* e)
{
    if (widgets::carriesPictures(e->mimeData()))
        e->acceptProposedAction();
}

void frmPicAuswahl::dropEvent(QDropEvent* e)
{
    Procedure proc{"frmPicAuswahl", "dropEvent"};
    proc.run({
        [&] {
            e->acceptProposedAction();
            takeAdded(widgets::takeDroppedPictures(this, e->mimeData()), true);
        },
    });
}

void frmPicAuswahl::takeAdded(const QStringList& added, bool play)
{
    if (added.isEmpty())
        return;
    // The files side in front, listed afresh, the last one added chosen.
    if (settings().Album() != 1)
        imgTab_Click(0);
    File1->Refresh();
    for (int i = 0; i < File1->ListCount(); ++i)
        if (File1->List(i) == added.last())
            File1->setListIndex(i);
    showSelectedFile();
    if (play)
        cmdOK_Click();
}
