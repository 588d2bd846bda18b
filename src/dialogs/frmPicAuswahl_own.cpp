// The picture window's own pictures: adding them from the file dialog, a
// drop or the clipboard, opening their folder, and choosing the square the
// board shows of a picture that is not square.

#include "dialogs/frmPicAuswahl.h"

#include "dialogs/square_chooser.h"
#include "errors/trap.h"
#include "platform/twips.h"
#include "platform/appinfo.h"
#include "services/picture_folder.h"
#include "services/picture_square.h"
#include "services/settings.h"
#include "widgets/room_look.h"
#include "widgets/picture_intake.h"
#include "services/seams.h"
#include "widgets/seams.h"

#include <QAction>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

using Allgemein::settings;
using errors::Procedure;
using widgets::seams;

namespace {

// The preview: 3000 twips square at (600, 1140) of the design; its picture
// is read at twice its size in pixels, sharp on screens with two device
// pixels to the pixel, and the whole picture for choosing the square at
// twice that again, so that the square cut from it is as sharp.
constexpr int kPreviewSide = 3000;
// The square chooser reaches this far beyond the preview on every side, so
// that the handles of a square at the picture's edge lie whole on it.
constexpr int kChooserMargin = 150;

// Messages of the language table.
enum Message : int16_t {
    kRenameTip = 386,
    kRemoveTip = 387,
    kNewName = 388,
    kNameTaken = 389,
    kNameInvalid = 390,
    kNotRenamed = 391,
    kRemoveQuestion = 392,
    kNoTrashQuestion = 393,
    kNotRemoved = 394,
    kSquareName = 395,
    kSquareKeys = 396,
    kNameRefused = 415,
};

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
    cmdAdd->setGeometry(scaled(60, 2040, 2100, 450));
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });

    cmdFolder = new QPushButton(fraAuswahl[1]);
    cmdFolder->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    cmdFolder->setIconSize(scaled(0, 0, 240, 240).size());
    widgets::keepPlacedSize(cmdFolder);
    cmdFolder->setGeometry(scaled(2220, 2040, 420, 450));
    connect(cmdFolder, &QPushButton::clicked, this, [this] { cmdFolder_Click(); });

    // At the foot of the page, beside OK.
    const QSize icon = scaled(0, 0, 330, 330).size();
    cmdRename = new widgets::ButtonControl(fraAuswahl[1]);
    cmdRename->setArt(QStringLiteral(":/art/picwindow/rename.svg"), widgets::ButtonControl::Look::Icon, icon);
    placeScaled(cmdRename, 60, 2925, 510, 450);
    connect(cmdRename, &QPushButton::clicked, this, [this] { cmdRename_Click(); });
    cmdRemove = new widgets::ButtonControl(fraAuswahl[1]);
    cmdRemove->setArt(QStringLiteral(":/art/picwindow/remove.svg"), widgets::ButtonControl::Look::Icon, icon);
    placeScaled(cmdRemove, 630, 2925, 510, 450);
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    // The same from the grid's menu.
    File1->setContextMenuPolicy(Qt::ActionsContextMenu);
    renameAction_ = new QAction(File1);
    renameAction_->setShortcut(Qt::Key_F2);
    renameAction_->setShortcutContext(Qt::WidgetShortcut);
    connect(renameAction_, &QAction::triggered, this, [this] { cmdRename_Click(); });
    removeAction_ = new QAction(File1);
    removeAction_->setShortcut(Qt::Key_Delete);
    removeAction_->setShortcutContext(Qt::WidgetShortcut);
    connect(removeAction_, &QAction::triggered, this, [this] { cmdRemove_Click(); });
    File1->addActions({renameAction_, removeAction_});

    // Its box drawn by the style, unticked as well as ticked, on the page's
    // paper; only the text takes the album's ink.
    chkStretch = new QCheckBox(this);
    chkStretch->setGeometry(scaled(600, 4290, 3000, 330));
    QPalette ink = chkStretch->palette();
    ink.setColor(QPalette::WindowText, QColor(0x4a, 0x35, 0x20));
    ink.setColor(QPalette::Base, Qt::white);
    chkStretch->setPalette(ink);
    chkStretch->hide();
    connect(chkStretch, &QCheckBox::clicked, this, [this] { chkStretch_Click(); });

    picSquare = new dialogs::SquareChooser(this);
    picSquare->setMargin(scaled(0, 0, kChooserMargin, 0).width());
    placeScaled(picSquare, 600 - kChooserMargin, 1140 - kChooserMargin, kPreviewSide + 2 * kChooserMargin,
                kPreviewSide + 2 * kChooserMargin);
    picSquare->hide();
    chkStretch->raise();  // over the chooser's margin
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
    picSquare->setAccessibleName(services::textOf(kSquareName));
    picSquare->setAccessibleDescription(services::textOf(193) + QLatin1Char(' ') + services::textOf(kSquareKeys));
    cmdRename->setToolTip(services::textOf(kRenameTip));
    cmdRemove->setToolTip(services::textOf(kRemoveTip));
    renameAction_->setText(services::textOf(kRenameTip));
    removeAction_->setText(services::textOf(kRemoveTip));
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
    // Twice the preview's pixels, and twice again for the square cut from it.
    const int wholePixels = 4 * imgBild->width();
    previewLater_.readWhole(path, wholePixels, [this, path](const pictures::Decoded& read) {
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
                    read.picture.scaled(2 * imgBild->width(), 2 * imgBild->width(), Qt::IgnoreAspectRatio,
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
    // Renaming and removing want an own picture chosen.
    const bool chosen = File1->ListIndex() >= 0;
    cmdRename->setEnabled(chosen);
    cmdRemove->setEnabled(chosen);
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
        [&] { forgetThumbnail(File1->FileName()); },
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
        [&] { forgetThumbnail(File1->FileName()); },
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

void frmPicAuswahl::cmdRename_Click()
{
    Procedure proc{"frmPicAuswahl", "cmdRename_Click"};
    proc.run({
        [&] {
            if (File1->ListIndex() < 0)
                return;
            const QString name = File1->FileName();
            const QFileInfo info(name);
            const QString ending = QLatin1Char('.') + info.suffix();
            // A file name holds no folder separator, and the settings keep
            // it in one line: no control characters either.
            const auto problem = [](const QString& typed) {
                for (const QChar c : typed)
                    if (c == QLatin1Char('/') || c.category() == QChar::Other_Control)
                        return services::textOf(kNameRefused);
                return QString();
            };
            const std::optional<QString> answer = services::seams().InputBox(
                this, services::textOf(kNewName), services::textOf(kRenameTip),
                info.completeBaseName(), problem);
            if (!answer)
                return;
            // The name without its ending; the ending stays the one the
            // contents have.
            QString wanted = answer->trimmed();
            if (wanted.endsWith(ending, Qt::CaseInsensitive))
                wanted.chop(ending.size());
            wanted = wanted.trimmed() + ending;
            const auto tell = [this](int message, const QString& shown) {
                services::seams().warn(this, services::textOf(message).arg(shown));
            };
            switch (pictures::renamePicture(File1->Path(), name, wanted)) {
            case pictures::Renaming::Renamed: break;
            case pictures::Renaming::Invalid: tell(kNameInvalid, answer->trimmed()); return;
            case pictures::Renaming::Taken: tell(kNameTaken, wanted); return;
            case pictures::Renaming::Failed: tell(kNotRenamed, name); return;
            }
            // The game's picture keeps being played under its new name.
            if (Allgemein::GetIniString("Pictures", "File", "") == name)
                Allgemein::SaveIni("Pictures", "File", wanted);
            File1->Refresh();
            for (int i = 0; i < File1->ListCount(); ++i)
                if (File1->List(i) == wanted)
                    File1->setListIndex(i);
            showSelectedFile();
        },
    });
}

void frmPicAuswahl::cmdRemove_Click()
{
    Procedure proc{"frmPicAuswahl", "cmdRemove_Click"};
    proc.run({
        [&] {
            const int index = File1->ListIndex();
            if (index < 0)
                return;
            const QString name = File1->FileName();
            auto& s = services::seams();
            if (!s.askYesNoDefaultNo(this, services::textOf(kRemoveQuestion).arg(name), appinfo::title()))
                return;
            bool removed = false;
            switch (pictures::trashPicture(File1->Path(), name)) {
            case pictures::Removal::Trashed: removed = true; break;
            case pictures::Removal::NoTrash:
                // Deleted for good only when the player says so again.
                if (!s.askYesNoDefaultNo(this, services::textOf(kNoTrashQuestion).arg(name), appinfo::title()))
                    return;
                removed = pictures::deletePicture(File1->Path(), name);
                break;
            case pictures::Removal::Failed: break;
            }
            if (!removed) {
                s.warn(this, services::textOf(kNotRemoved).arg(name));
                return;
            }
            // The picture after it is chosen, or the one before at the end.
            forgetPreviewUnderWay();
            File1->Refresh();
            File1->setListIndex(std::min(index, File1->ListCount() - 1));
            showSelectedFile();
            if (QListWidget* grid = gridInFront())
                grid->setFocus();
        },
    });
}
