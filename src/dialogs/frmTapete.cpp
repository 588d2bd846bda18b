#include "dialogs/frmTapete.h"

#include "errors/trap.h"
#include "platform/appinfo.h"
#include "platform/twips.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "widgets/controls.h"

#include <QLabel>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

using Allgemein::settings;
using errors::Procedure;

namespace {

constexpr int kColumns[4] = {240, 1920, 3600, 5280};
constexpr int kRows[4] = {600, 2280, 3960, 5640};
// Which swatch lies in each cell, row by row; -1 is the OK button's cell.
constexpr int kGrid[4][4] = {{0, 1, 2, 10}, {3, 4, 5, 9}, {6, 7, 8, 14}, {13, 12, 11, -1}};

constexpr int kWindowWidth = 6920;   // twips
constexpr int kWindowHeight = 7280;

}  // namespace

QPoint frmTapete::swatchPlace(int i)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (kGrid[r][c] == i)
                return {kColumns[c], kRows[r]};
    return {};
}

frmTapete::frmTapete(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(appinfo::title());
    setFixedSize(twips::size(kWindowWidth, kWindowHeight));
    setAttribute(Qt::WA_DeleteOnClose, false);

    lblText = new QLabel(this);
    lblText->setStyleSheet(QStringLiteral("color: #4a3520; background: transparent;"));
    QFont heading(QStringLiteral("Comic Sans MS"));
    heading.setPointSizeF(15);
    heading.setBold(true);
    lblText->setFont(heading);
    lblText->setAlignment(Qt::AlignCenter);
    lblText->setGeometry(twips::rect(240, 90, 6440, 450));

    imgHinterg = new widgets::ImageControl(this);
    imgHinterg->hide();

    for (int i = 0; i < 15; ++i) {
        auto* box = new dialogs::PictureBox(this);
        const QPoint at = swatchPlace(i);
        dialogs::placeTwips(box, at.x(), at.y(), SwatchSide, SwatchSide);
        box->setCursor(Qt::PointingHandCursor);
        const auto index = static_cast<int16_t>(i);
        box->onClick = [this, index](QPoint) { picBG_Click(index); };
        box->onDblClick = [this, index] { picBG_DblClick(index); };
        picBG_[i] = box;
    }

    shpWahl = new widgets::ShapeControl(this, QColor(220, 0, 0), 3);
    dialogs::placeTwips(shpWahl, 0, 0, FrameSide, FrameSide);

    cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setGeometry(twips::rect(5280 + 100, 5640 + 450, 1200, 495));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
}

dialogs::PictureBox* frmTapete::picBG(int i) const
{
    if (i < 0 || i >= int(picBG_.size()))
        errors::raiseNoSuchElement("picBG", i);
    return picBG_[i];
}

void frmTapete::frameSwatch(int s)
{
    // The frame is as much larger than the swatch on each side: half the
    // difference, in whole twips.
    picBG(s);  // a swatch that is not there fails with 340
    const QPoint at = swatchPlace(s);
    const int dx = (FrameSide - SwatchSide) / 2;
    const int dy = (FrameSide - SwatchSide) / 2;
    dialogs::placeTwips(shpWahl, at.x() - dx, at.y() - dy, FrameSide, FrameSide);
    shpWahl->raise();
    shpWahl->show();
}

void frmTapete::Form_Load()
{
    Procedure proc{"frmTapete", "Form_Load"};
    proc.run({
        [&] {
            lblText->setText(services::seams().GetLang(int16_t(settings().Sprache() + 130)));
            widgets::fitText(lblText, 15);
        },
        [&] {
            // A stored number without a wallpaper leaves no swatch framed.
            chosen_ = settings().Background();
            const int s = chosen_ - 101;
            if (s >= 0 && s < int(picBG_.size()))
                frameSwatch(s);
            else
                shpWahl->hide();
        },
        [&] {
            for (int16_t i = 0; i < int16_t(picBG_.size()); ++i)
                paintPic(i, picBG(i));
        },
    });
}

void frmTapete::paintPic(int16_t i, dialogs::PictureBox* target)
{
    Procedure proc{"frmTapete", "paintPic"};
    proc.run({
        [&] { imgHinterg->setPicture(QPixmap::fromImage(resources::loadBitmap(i + 101))); },
        [&] {
            const QPixmap& tile = imgHinterg->Picture();
            const auto th = static_cast<int16_t>(twips::fromPixels(tile.height()));
            const auto tw = static_cast<int16_t>(twips::fromPixels(tile.width()));
            if (th <= 0 || tw <= 0)
                return;
            for (int16_t y = 0; y <= target->ScaleHeight(); y = int16_t(y + th))
                for (int16_t x = 0; x <= target->ScaleWidth(); x = int16_t(x + tw))
                    target->PaintPicture(tile, x, y);
        },
    });
}

void frmTapete::picBG_Click(int16_t Index)
{
    Procedure proc{"frmTapete", "picBG_Click"};
    proc.run({
        [&] { frameSwatch(Index); },
        // Taken by OK; Esc and the close box leave the wallpaper as it was.
        [&] { chosen_ = static_cast<int16_t>(Index + 101); },
    });
}

void frmTapete::keyPressEvent(QKeyEvent* e)
{
    // The swatches lie four to a row; the last cell of the grid is OK's.
    const int current = chosen_ - 101;
    int next = current;
    switch (e->key()) {
    case Qt::Key_Left: next = current - 1; break;
    case Qt::Key_Right: next = current + 1; break;
    case Qt::Key_Up: next = current - 4; break;
    case Qt::Key_Down: next = current + 4; break;
    default: QDialog::keyPressEvent(e); return;
    }
    e->accept();
    if (next >= 0 && next < int(picBG_.size()) && next != current)
        picBG_Click(static_cast<int16_t>(next));
}

void frmTapete::picBG_DblClick(int16_t Index)
{
    Procedure proc{"frmTapete", "picBG_DblClick"};
    proc.run({
        [&] { picBG_Click(Index); },
        [&] { cmdOK_Click(); },
    });
}

void frmTapete::cmdOK_Click()
{
    Procedure proc{"frmTapete", "cmdOK_Click"};
    proc.run({
        [&] {
            if (chosen_ >= 101 && chosen_ < 101 + int16_t(picBG_.size())
                && chosen_ != settings().Background()) {
                settings().setBackground(chosen_);
                settings().store(Allgemein::Setting::Background);
            }
        },
        [&] { accept(); },
    });
}

void frmTapete::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient walnut(0, 0, width(), 0);
    walnut.setColorAt(0, QColor(0x5a, 0x3d, 0x26));
    walnut.setColorAt(0.5, QColor(0x7a, 0x56, 0x36));
    walnut.setColorAt(1, QColor(0x5a, 0x3d, 0x26));
    p.fillRect(rect(), walnut);
    const QRectF panel = QRectF(rect()).adjusted(6, 6, -6, -6);
    p.setPen(QPen(QColor(0x3e, 0x29, 0x18), 1));
    p.setBrush(QColor(0xf6, 0xef, 0xdd));
    p.drawRoundedRect(panel, 4, 4);
    for (const dialogs::PictureBox* box : picBG_) {
        const QRectF card = QRectF(box->geometry()).adjusted(-1.5, -1.5, 1.5, 1.5);
        p.fillRect(card.translated(2, 2), QColor(0, 0, 0, 40));
        p.setPen(QPen(QColor(0x8a, 0x6a, 0x44), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(card);
    }
}
