#include "dialogs/frmPicAuswahl.h"

#include "errors/trap.h"
#include "services/picture_file.h"
#include "widgets/picture_intake.h"
#include "widgets/controls.h"
#include "widgets/seams.h"
#include "platform/appinfo.h"
#include "platform/twips.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"

#include <algorithm>
#include <cmath>

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QDir>
#include <QKeyEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using Allgemein::settings;
using errors::Procedure;

namespace {

// Design sizes in twips: the window is the open album, 500 x 330 pixels,
// drawn larger on larger screens.
constexpr int kWindowWidth = 7500;
constexpr int kWindowHeight = 4950;
constexpr int kPreviewSide = 3000;
constexpr qreal kHeadingPoints = 15;  // smaller where a language needs it
constexpr qreal kNamePoints = 12;     // the built-in picture's name
// The tab bar: the left tab (built-in pictures) ends at 89 of its 180 pixels.
constexpr int kLeftTabEnd = 90;

// How much larger than its design the window is: about three fifths of the
// screen's height, within nine tenths of its width, never smaller than the
// design (which fits an 800 x 600 screen).
qreal windowScale(const QWidget* parent)
{
    const QSize screen = services::seams().ScreenPixels(parent ? parent->window() : nullptr);
    if (screen.isEmpty())
        return 1;
    const qreal byHeight = 0.62 * screen.height() / (kWindowHeight / twips::TwipsPerPixel);
    const qreal byWidth = 0.92 * screen.width() / (kWindowWidth / twips::TwipsPerPixel);
    return std::clamp(std::min(byHeight, byWidth), 1.0, 3.0);
}

}  // namespace

QString frmPicAuswahl::picsFolder()
{
    return widgets::picsFolder();
}

QRect frmPicAuswahl::scaled(int left, int top, int width, int height) const
{
    const qreal k = scale_ / twips::TwipsPerPixel;
    const int x0 = int(std::lround(left * k)), y0 = int(std::lround(top * k));
    return QRect(x0, y0, int(std::lround((left + width) * k)) - x0, int(std::lround((top + height) * k)) - y0);
}

frmPicAuswahl::frmPicAuswahl(QWidget* parent) : QDialog(parent), scale_(windowScale(parent))
{
    setWindowTitle(appinfo::title());
    setFixedSize(scaled(0, 0, kWindowWidth, kWindowHeight).size());
    // The album's cover colour shows at its rounded corners.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x2c, 0x42, 0x33));
    setPalette(pal);
    setAutoFillBackground(true);
    // Texts grow with the window, by half as much.
    QFont text = font();
    if (text.pointSizeF() > 0) {
        text.setPointSizeF(text.pointSizeF() * (1 + (scale_ - 1) / 2));
        setFont(text);
    }

    imgAlbum = new widgets::ImageControl(this);
    imgAlbum->setArt(QStringLiteral(":/art/picwindow/album.svg"));
    placeScaled(imgAlbum, 0, 0, kWindowWidth, kWindowHeight);

    Label1 = new QLabel(this);
    QFont heading(QStringLiteral("Comic Sans MS"));
    heading.setPointSizeF(kHeadingPoints * scale_);
    heading.setBold(true);
    Label1->setFont(heading);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("color: #4a3520; background: transparent;"));
    Label1->setGeometry(scaled(600, 390, 3000, 600));

    imgBild = new dialogs::ClickImage(this);
    placeScaled(imgBild, 600, 1140, kPreviewSide, kPreviewSide);
    imgBild->onDblClick = [this] { imgBild_DblClick(); };

    for (int i = 0; i < 2; ++i) {
        auto* tab = new dialogs::ClickImage(this);
        tab->setArt(QStringLiteral(":/art/picwindow/tab%1.svg").arg(i));
        placeScaled(tab, 4200, 600, 2700, 510);
        tab->setCursor(Qt::PointingHandCursor);
        // The tab behind is the one to click: the right one while the
        // built-in pictures are in front, the left one while the file is.
        const auto index = static_cast<int16_t>(i);
        tab->onClick = [this, index](QPoint at) {
            const bool onLeftTab = at.x() * 180 < kLeftTabEnd * imgTab[index]->width();
            if (onLeftTab == (index == 1))
                imgTab_Click(index);
        };
        tab->hide();
        imgTab[i] = tab;

        // Down to the foot of the page, beside OK.
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::NoFrame);
        frame->setGeometry(scaled(4200, 1095, 2700, 3375));
        frame->hide();
        fraAuswahl[i] = frame;
    }

    // Under the grid: previous, the picture's name, next.
    const QSize arrow = scaled(0, 0, 360, 360).size();
    cmdPrev = new widgets::ButtonControl(fraAuswahl[0]);
    cmdPrev->setArt(QStringLiteral(":/art/picwindow/prev.svg"), widgets::ButtonControl::Look::Icon, arrow);
    placeScaled(cmdPrev, 60, 2040, 450, 450);
    connect(cmdPrev, &QPushButton::clicked, this, [this] { cmdPrev_Click(); });

    cmdNext = new widgets::ButtonControl(fraAuswahl[0]);
    cmdNext->setArt(QStringLiteral(":/art/picwindow/next.svg"), widgets::ButtonControl::Look::Icon, arrow);
    placeScaled(cmdNext, 2190, 2040, 450, 450);
    connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
    // A click on them leaves the keys with the grid.
    cmdPrev->setFocusPolicy(Qt::TabFocus);
    cmdNext->setFocusPolicy(Qt::TabFocus);

    lblSeite = new QLabel(fraAuswahl[0]);
    QFont name = heading;
    name.setPointSizeF(kNamePoints * scale_);
    lblSeite->setFont(name);
    lblSeite->setAlignment(Qt::AlignCenter);
    lblSeite->setStyleSheet(QStringLiteral("color: #8a6a44; background: transparent;"));
    lblSeite->setGeometry(scaled(540, 2040, 1620, 450));

    File1 = new dialogs::FileListBox(fraAuswahl[1]);
    QStringList patterns;
    for (const QString& suffix : pictures::playedSuffixes())
        patterns << QStringLiteral("*.") + suffix;
    File1->setPattern(patterns.join(QLatin1Char(';')));
    File1->setGeometry(scaled(60, 60, 2580, 1920));
    File1->onClick = [this] { File1_Click(); };

    lblHinweis = new QLabel(fraAuswahl[1]);
    lblHinweis->setWordWrap(true);
    lblHinweis->setAlignment(Qt::AlignCenter);
    lblHinweis->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblHinweis->setStyleSheet(QStringLiteral("color: #4a3520; background: transparent;"));
    lblHinweis->setGeometry(scaled(180, 180, 2340, 1770));
    lblHinweis->hide();

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setGeometry(scaled(5700, 4020, 1200, 450));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    createGrids();
    createOwnPictureControls();
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        button->installEventFilter(this);
}

void frmPicAuswahl::Form_Load()
{
    Procedure proc{"frmPicAuswahl", "Form_Load"};
    proc.run({
        [&] {
            openedAlbum_ = settings().Album();
            openedPicture_ = settings().Picture();
            // The folder is made on first use, so that players find where
            // their own pictures go.
            QDir().mkpath(picsFolder());
            File1->setPath(picsFolder());
            if (File1->ListCount() > 0)
                File1->setListIndex(0);
        },
        [&] {
            const QString stored = Allgemein::GetIniString("Pictures", "File", "Tavoro1.bmp");
            for (int i = 0; i < File1->ListCount(); ++i)
                if (File1->List(i) == stored)
                    File1->setListIndex(i);
        },
        [&] {
            // A number without a built-in picture starts the paging at the first.
            if (settings().Picture() < 101 || settings().Picture() > 116)
                settings().setPicture(101);
        },
        [&] { imgTab_Click(settings().Album() == 1 ? 0 : 1); },
        [&] {
            Label1->setText(services::textOf(154));
            widgets::fitText(Label1, kHeadingPoints * scale_);
            cmdNext->setToolTip(services::textOf(132));
            cmdPrev->setToolTip(services::textOf(136));
            imgTab[0]->setToolTip(services::textOf(131));
            imgTab[1]->setToolTip(services::textOf(131));
            File1->setToolTip(services::textOf(139));
            // Each built-in picture is named by its own name.
            for (int i = 0; i < lstBilder->count(); ++i) {
                const QString name = services::textOf(kFirstPictureName + i);
                lstBilder->item(i)->setToolTip(name);
                lstBilder->item(i)->setData(Qt::AccessibleTextRole, name);
            }
            // A long folder's name may break after each of its separators.
            QString folder = QDir::toNativeSeparators(picsFolder());
            folder.replace(QDir::separator(), QString(QDir::separator()) + QChar(0x200B));
            lblHinweis->setText(services::textOf(170) + QStringLiteral("\n\n") + folder);
        },
        [&] { setOwnPictureTexts(); },
        [&] {
            // The keys go to the grid in front from the start.
            if (QListWidget* grid = gridInFront())
                grid->setFocus();
        },
    });
}

void frmPicAuswahl::imgTab_Click(int16_t Index)
{
    Procedure proc{"frmPicAuswahl", "imgTab_Click"};
    proc.run({
        [&] { settings().setAlbum(static_cast<int16_t>(1 - Index)); },
        [&] {
            // The tab of the source in front, and its frame.
            const bool files = settings().Album() == 1;
            imgTab[0]->setVisible(!files);
            imgTab[1]->setVisible(files);
            fraAuswahl[0]->setVisible(!files);
            fraAuswahl[1]->setVisible(files);
            if (isVisible() && gridInFront())
                gridInFront()->setFocus();
        },
        [&] {
            if (settings().Album() == 1) {
                refreshFiles();
                showSelectedFile();
            } else {
                showBuiltIn();
            }
        },
        [&] { playPageSound(); },
    });
}

void frmPicAuswahl::cmdNext_Click()
{
    turnPage("cmdNext_Click", +1);
}

void frmPicAuswahl::cmdPrev_Click()
{
    turnPage("cmdPrev_Click", -1);
}

void frmPicAuswahl::turnPage(const char* procedure, int16_t step)
{
    // The sixteen pictures go round: after 116 comes 101, before 101 comes 116.
    Procedure proc{"frmPicAuswahl", QLatin1String(procedure)};
    proc.run({
        [&] {
            settings().setPicture(static_cast<int16_t>(settings().Picture() + step));
            if (settings().Picture() == 117)
                settings().setPicture(101);
            if (settings().Picture() == 100)
                settings().setPicture(116);
        },
        [&] { showBuiltIn(); },
        [&] { playPageSound(); },
    });
}

void frmPicAuswahl::File1_Click()
{
    Procedure proc{"frmPicAuswahl", "File1_Click"};
    proc.run({
        [&] { showSelectedFile(); },
    });
}

void frmPicAuswahl::imgBild_DblClick()
{
    Procedure proc{"frmPicAuswahl", "imgBild_DblClick"};
    proc.run({
        [&] { cmdOK_Click(); },
    });
}

void frmPicAuswahl::cmdOK_Click()
{
    Procedure proc{"frmPicAuswahl", "cmdOK_Click"};
    proc.run({
        [&] { settings().store(Allgemein::Setting::Picture); },
        [&] { settings().store(Allgemein::Setting::Album); },
        [&] { Allgemein::SaveIni("Pictures", "File", File1->FileName()); },
        [&] { accept(); },
        // A preview still on its way is not wanted any more.
        [&] { forgetPreviewUnderWay(); },
    });
}

bool frmPicAuswahl::moveChoice(QKeyEvent* e)
{
    // The keys that move the choice reach the grid in front from any control
    // (a button, the check box); what the grid itself leaves (at its edge)
    // comes back here and goes no further.
    QListWidget* grid = gridInFront();
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: break;
    default: return false;
    }
    if (!grid || !grid->isVisible() || forwardingKey_ || e->modifiers() != Qt::NoModifier)
        return false;
    grid->setFocus();
    QKeyEvent again(e->type(), e->key(), e->modifiers(), e->text());
    forwardingKey_ = true;
    QApplication::sendEvent(grid, &again);
    forwardingKey_ = false;
    e->accept();
    return true;
}

bool frmPicAuswahl::eventFilter(QObject* watched, QEvent* e)
{
    // The buttons would move the focus with the arrow keys.
    if (e->type() == QEvent::KeyPress && moveChoice(static_cast<QKeyEvent*>(e)))
        return true;
    return QDialog::eventFilter(watched, e);
}

void frmPicAuswahl::keyPressEvent(QKeyEvent* e)
{
    if (moveChoice(e))
        return;
    // F2 renames and Delete removes the chosen own picture.
    if (settings().Album() == 1 && e->modifiers() == Qt::NoModifier
        && (e->key() == Qt::Key_F2 || e->key() == Qt::Key_Delete)) {
        e->accept();
        if (e->key() == Qt::Key_F2)
            cmdRename_Click();
        else
            cmdRemove_Click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void frmPicAuswahl::reject()
{
    settings().setAlbum(openedAlbum_);
    settings().setPicture(openedPicture_);
    forgetPreviewUnderWay();
    QDialog::reject();
}

void frmPicAuswahl::showBuiltIn()
{
    // A file's preview still on its way would cover this one.
    forgetPreviewUnderWay();
    showSquareControls(false, false);
    imgBild->setPicture(QPixmap::fromImage(resources::loadBitmap(settings().Picture() + 100)));
    lblSeite->setText(services::textOf(kFirstPictureName + settings().Picture() - 101));
    widgets::fitText(lblSeite, kNamePoints * scale_);
    // The grid follows without a click of its own.
    showingBuiltIn_ = true;
    lstBilder->setCurrentRow(settings().Picture() - 101);
    showingBuiltIn_ = false;
}

void frmPicAuswahl::refreshFiles()
{
    // Pictures put into the folder while the window is open appear; the
    // chosen one stays chosen.
    const QString chosen = File1->FileName();
    File1->Refresh();
    int index = File1->ListCount() > 0 ? 0 : -1;
    for (int i = 0; i < File1->ListCount(); ++i)
        if (File1->List(i) == chosen)
            index = i;
    File1->setListIndex(index);
}

void frmPicAuswahl::showSelectedFile()
{
    // An empty folder shows where the pictures go instead of a list.
    const bool empty = File1->ListCount() == 0;
    File1->setVisible(!empty);
    lblHinweis->setVisible(empty);
    if (File1->ListIndex() < 0) {
        forgetPreviewUnderWay();
        imgBild->setPicture(QPixmap());
        showSquareControls(false, false);
        return;
    }
    showFilePreview(selectedPath());
}

void frmPicAuswahl::playPageSound()
{
    if (settings().PlaySound())
        services::seams().PlayWAV(104);
}
