// The main window's one-time layout, the cutting of the picture into the
// board's pieces, and the painting of the wallpaper.

#include "mainwindow/frmTavoro.h"

#include "errors/trap.h"
#include "widgets/controls.h"
#include "mainwindow/frame.h"
#include "mainwindow/cloth.h"
#include "mainwindow/startsize.h"
#include "platform/numbers.h"
#include "platform/trace.h"
#include "platform/twips.h"
#include "platform/media_engine.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QPaintEvent>
#include <QPainter>
#include <QIcon>
#include <QLinearGradient>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <utility>

using Allgemein::settings;
using errors::Procedure;
using widgets::ImageControl;
using widgets::PuzzlePiece;
using widgets::ShapeControl;


void frmTavoro::cutPictureClipForSize()
{
    PicClip1.setCols(settings().Size());
    PicClip1.setRows(settings().Size());
}

void frmTavoro::hideAllPieces()
{
    for (int k = 0; k < game::MaxPlaces; ++k)
        imgPuzz(k)->hide();
}

void frmTavoro::cutPictureIntoPieces()
{
    const int cells = PicClip1.Cols() * PicClip1.Rows();
    cells_.clear();
    cells_.reserve(cells);
    for (int i = 0; i < cells; ++i)
        cells_.push_back(QPixmap::fromImage(PicClip1.GraphicCell(i)));
}

void frmTavoro::redrawBoard()
{
    for (int k = 0; k < board.places(); ++k)
        drawPiece(k);
    // A solved slide board shows its last cell in the empty place.
    if (board.state() == game::Board::State::Solved && board.mode() == game::Mode::Slide)
        imgPuzz(board.emptyPlace())->setPicture(cellPicture(board.places() - 1));
}

void frmTavoro::placePiece(int k)
{
    motion_.finish();
    PuzzlePiece* piece = imgPuzz(k);
    piece->setSize(geometry.CellSize, geometry.CellSize);
    piece->setLeft(geometry.placeLeft(board.size(), k));
    piece->setTop(geometry.placeTop(board.size(), k));
    if (k == session.cursor())
        showKeyCursor(k);
}

frmTavoro::FramePlace frmTavoro::framePlaceFor(QSize client, int16_t n)
{
    mainwindow::BoardGeometry at;
    at.setBoard(client.width(), client.height());
    at.setCells(n);
    // The frame reaches 32 to 35 pixels beyond the board on every side.
    const double n5 = n / 5.0;
    const int16_t left = numbers::CInt(int32_t(at.BoardLeft) - 32);
    const int16_t side = numbers::CInt(int32_t(at.BoardSide) + 70);
    FramePlace f;
    f.left = float(left - n5);
    f.top = float(at.placeTop(n, 0) - 35 - n5);
    f.side = float(side + n5);
    auto pixels = [](float l, float t, float w, float h) {
        const int x0 = widgets::nearestPixel(l), y0 = widgets::nearestPixel(t);
        return QRect(x0, y0, std::max(0, widgets::nearestPixel(l + w) - x0),
                     std::max(0, widgets::nearestPixel(t + h) - y0));
    };
    f.pixels = pixels(f.left, f.top, f.side, f.side);
    const int last = n * n - 1;
    const QRect onBoard =
        pixels(at.placeLeft(n, 0), at.placeTop(n, 0), at.CellSize, at.CellSize)
            .united(pixels(at.placeLeft(n, last), at.placeTop(n, last), at.CellSize, at.CellSize));
    f.opening = QRectF(onBoard.translated(-f.pixels.topLeft())).adjusted(1, 1, -1, -1);
    return f;
}

QRect frmTavoro::boardArea() const
{
    return imgPuzz(0)->geometry().united(imgPuzz(board.places() - 1)->geometry());
}

void frmTavoro::fitFrameToBoard()
{
    // The border reaches a pixel under the board, so that no wallpaper shows
    // between them.
    imgRahmen->setOpening(QRectF(boardArea().translated(-imgRahmen->pos())).adjusted(1, 1, -1, -1));
}

void frmTavoro::positionieren()
{
    Procedure proc{"frmTavoro", "positionieren"};
    const double W = width();
    const double H = height();
    layingOut_ = true;
    proc.run({
        // Nothing is drawn while everything moves into place.
        [&] { setUpdatesEnabled(false); },
        [&] { geometry.setBoard(W, H); },
        [&] { cutPictureClipForSize(); },
        [&] { geometry.setCells(settings().Size()); },
        [&] {
            hideAllPieces();
            imgRahmen->hide();
        },
        [&] { cutPictureIntoPieces(); },
        // Every piece at home, showing its cell; the empty place is the last.
        // Laid out again for a new size, a game goes on untouched: each piece
        // only shows its cell cut anew.
        [&] {
            if (!laidOut_ || board.state() == game::Board::State::Ordered)
                orderBoard();
            else
                redrawBoard();
        },
        [&] {
            for (int r = 0; r < board.size(); ++r)
                for (int c = 0; c < board.size(); ++c)
                    placePiece(r * board.size() + c);
        },
        [&] {
            // The frame lies behind everything.
            const FramePlace f = framePlaceFor(QSize(int(W), int(H)), static_cast<int16_t>(board.size()));
            imgRahmen->place(f.left, f.top, f.side, f.side);
            imgRahmen->lower();
        },
        [&] { fitFrameToBoard(); },
        [&] {
            for (int k = 0; k < board.places(); ++k)
                imgPuzz(k)->show();
            imgRahmen->show();
        },
        [&] {
            const double w = PicBut(0)->Width();
            lblToolbar->place(float(W - 1.15 * w), 0, float(1.15 * w), float(H + 6));
            // A walnut strip, dark at its edges and lighter in the middle.
            QLinearGradient wood(0, 0, lblToolbar->width(), 0);
            wood.setColorAt(0, QColor(0x5a, 0x3d, 0x26));
            wood.setColorAt(0.5, QColor(0x7a, 0x56, 0x36));
            wood.setColorAt(1, QColor(0x5a, 0x3d, 0x26));
            QPalette pal = lblToolbar->palette();
            pal.setBrush(QPalette::Window, wood);
            lblToolbar->setPalette(pal);
            lblToolbar->setAutoFillBackground(true);
            lblToolbar->show();
        },
        [&] {
            // Start, end and preview at the top; picture to help after a gap;
            // the languages after another, French directly below Spanish.
            // The flags stand 3 pixels apart, centred on the strip.
            for (int i = 0; i < int(PicBut_.size()); ++i) {
                if (!PicBut_[i])
                    continue;
                widgets::ButtonControl* button = PicBut_[i];
                const double h = i <= 9 ? button->Height() : button->Height() + 3;
                double top;
                if (i <= 2)
                    top = h * i + 3;
                else if (i <= 9)
                    top = h * (i + 1) + 3 - 20;
                else if (i <= 14)
                    top = h * (i + 2) + 3 + 100;
                else
                    top = h * 17 + 103;
                const float strip = lblToolbar->Left();
                const float left =
                    i <= 9 ? strip + 4 : strip + (lblToolbar->Width() - button->Width()) / 2;
                button->place(left, float(top), button->Width(), button->Height());
                button->show();
            }
        },
        [&] {
            // The chest stands on the bottom edge, or below the frame when the
            // frame reaches down past its top.
            imgKommode->setLeft(0);
            imgKommode->setTop(float(H - imgKommode->Height()));
            if (imgRahmen->Top() + imgRahmen->Height() > imgKommode->Top())
                imgKommode->setTop(float(imgRahmen->Top() + 1.05 * imgRahmen->Height()));
        },
        [&] {
            imgUhr->setLeft(50);
            imgUhr->setTop(imgKommode->Top() - imgUhr->Height() + 15);
        },
        [&] {
            lblTime->setLeft(imgUhr->Left() + (imgUhr->Width() - lblTime->Width()) / 2);
            lblTime->setTop(imgUhr->Top() + lblTime->Height() - 5);
        },
        [&] {
            imgSchrank->setLeft(float(W - imgSchrank->Width() - lblToolbar->Width()));
            imgSchrank->setTop(float(H - imgSchrank->Height()));
        },
        [&] {
            imgKaktus->setLeft(imgSchrank->Left() + 10);
            imgKaktus->setTop(imgSchrank->Top() - imgKaktus->Height() + 18);
        },
        [&] {
            imgTeddy->setLeft(float(imgSchrank->Left() - 0.75 * imgTeddy->Width()));
            imgTeddy->setTop(float(H - 0.7 * imgTeddy->Height()));
        },
        [&] {
            // The preview and its outline, centred between the window's left
            // edge and the frame, the outline d pixels around the image.
            const int32_t d = numbers::IDiv(shpPreview->Height() - imgPreview->Height(), 2);
            imgPreview->setLeft(float(numbers::IDiv(imgRahmen->Left() - imgPreview->Width(), 2)));
            imgPreview->setTop(imgPreview->Top() - d);
            shpPreview->setLeft(float(numbers::IDiv(imgRahmen->Left() - shpPreview->Width(), 2)));
            shpPreview->setTop(imgPreview->Top() - d);
        },
        [&] {
            imgKommode->show();
            imgUhr->show();
            lblTime->show();
            imgSchrank->show();
            imgKaktus->show();
            imgTeddy->show();
            shpPreview->show();
        },
        // The wallpaper covers the whole screen from the start: a new size
        // needs it painted no more.
        [&] {
            if (!laidOut_)
                PaintBG();
        },
        [&] { shpRahmen->setWidth(imgPuzz(0)->Width()); },
        // The smallest room the layout holds, or the screen where that is
        // smaller: the toolbar never falls outside the window.
        [&] { setMinimumSize(mainwindow::smallestClient(*this)); },
        [&] { setUpdatesEnabled(true); },
    });
    laidOut_ = true;
    layingOut_ = false;
    // A size given meanwhile (the smallest room the window may have) is laid
    // out next.
    if (size() != QSize(int(W), int(H)))
        QTimer::singleShot(0, this, [this] { Form_Resize(); });
    // A window larger than the screen the wallpaper was painted for (moved
    // to a larger screen, or spanning two) gets more tiles of it.
    extendWallpaper();
    // What lies over the board follows it.
    showSelection(board.selected());
    hideHint();
    if (clothShown_ && cloth_)
        cloth_->setGeometry(boardArea());
    if (helpNoteShown())
        placeHelpNote();
    // A layout left early still lets the window draw itself.
    if (!updatesEnabled())
        setUpdatesEnabled(true);
    // Each control shown leaves a request to draw it later; they are handed
    // in now, so that they join the window's first painting instead of
    // drawing much of the room a second time right after it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
}

// ---------------------------------------------------------------------------
// The wallpaper

void frmTavoro::PaintBG()
{
    Procedure proc{"frmTavoro", "PaintBG"};
    proc.run({
        [&] {
            const QPixmap tile = QPixmap::fromImage(resources::loadBitmap(settings().Background()));
            imgHinterg->setPicture(tile);
            imgHinterg->setSize(tile.width(), tile.height());
        },
        [&] { AutoRedraw = true; },
        [&] {
            // The tiles cover an area as large as the screen, from the window's
            // top left corner; each bound is inclusive, so a screen that is a
            // whole number of tiles wide still gets a last column at its edge.
            const QSize screen = services::seams().ScreenPixels(this);
            constexpr int TwipsPerPixel = twips::TwipsPerPixel;
            const int16_t Ymax = numbers::CInt(
                numbers::IDiv(double(screen.height()) * TwipsPerPixel, TwipsPerPixel));
            const int16_t Xmax = numbers::CInt(
                numbers::IDiv(double(screen.width()) * TwipsPerPixel, TwipsPerPixel));
            const QPixmap& tile = imgHinterg->Picture();
            const int16_t th = numbers::CInt(imgHinterg->Height());
            const int16_t tw = numbers::CInt(imgHinterg->Width());
            // A holder without a picture has no step to walk with.
            if (tile.isNull() || th <= 0 || tw <= 0)
                return;
            for (int16_t y = 0; y <= Ymax; y = numbers::CInt(int32_t(y) + th)) {
                for (int16_t x = 0; x <= Xmax; x = numbers::CInt(int32_t(x) + tw))
                    PaintPicture(tile, x, y);
            }
        },
        [&] {
            if (settings().PlaySound())
                services::seams().PlayWAV(102);
        },
        [&] {
            AutoRedraw = false;
            endPersistentDrawing();
        },
    });
}

void frmTavoro::extendWallpaper()
{
    const QPixmap& tile = imgHinterg->Picture();
    if (tile.isNull() || tile.width() <= 0 || tile.height() <= 0)
        return;
    for (Drawn& d : drawn_) {
        if (d.picture.cacheKey() != tile.cacheKey() || d.at != QPointF(0, 0))
            continue;
        const int cols = width() / tile.width() + 1;
        const int rows = height() / tile.height() + 1;
        if (cols > d.cols || rows > d.rows) {
            d.cols = std::max(d.cols, cols);
            d.rows = std::max(d.rows, rows);
            update();
        }
        return;
    }
}

void frmTavoro::PaintPicture(const QPixmap& picture, float x, float y)
{
    // Only persistent drawing lasts: without it, the next repaint of the
    // window would wipe the picture at once.
    if (!AutoRedraw || picture.isNull())
        return;
    const QPointF at(x, y);
    const QSize size = picture.size();
    auto same = [&](const Drawn& d) { return d.picture.cacheKey() == picture.cacheKey(); };
    // The next place of a row continues it.
    if (drawn_.size() > drawnBefore_) {
        Drawn& last = drawn_.back();
        if (same(last) && last.rows == 1 && at.y() == last.at.y()
            && at.x() == last.at.x() + size.width() * last.cols) {
            ++last.cols;
            update(QRectF(at, QSizeF(size)).toAlignedRect());
            return;
        }
        // A row as long as the one above it, right below it, joins it.
        if (drawn_.size() > drawnBefore_ + 1) {
            Drawn& above = drawn_[drawn_.size() - 2];
            if (same(above) && same(last) && last.rows == 1 && above.at.x() == last.at.x()
                && above.cols == last.cols
                && last.at.y() == above.at.y() + size.height() * above.rows) {
                ++above.rows;
                drawn_.pop_back();
            }
        }
    }
    drawn_.push_back(Drawn{picture, at});
    update(QRectF(at, QSizeF(size)).toAlignedRect());
}

void frmTavoro::endPersistentDrawing()
{
    if (drawn_.size() > drawnBefore_ + 1) {
        // The last row may still join the rows above it.
        Drawn& above = drawn_[drawn_.size() - 2];
        const Drawn& last = drawn_.back();
        if (above.picture.cacheKey() == last.picture.cacheKey() && last.rows == 1
            && above.at.x() == last.at.x() && above.cols == last.cols
            && last.at.y() == above.at.y() + last.picture.height() * above.rows) {
            ++above.rows;
            drawn_.pop_back();
        }
    }
    // What this painting covered wholly is forgotten from the earlier ones.
    std::vector<Drawn> kept;
    for (size_t i = 0; i < drawn_.size(); ++i) {
        bool covered = false;
        for (size_t j = std::max(i + 1, drawnBefore_); j < drawn_.size() && !covered; ++j)
            covered = i < drawnBefore_ && !drawn_[j].picture.hasAlphaChannel()
                && drawn_[j].area().contains(drawn_[i].area());
        if (!covered)
            kept.push_back(std::move(drawn_[i]));
    }
    drawn_ = std::move(kept);
    drawnBefore_ = drawn_.size();
}

void frmTavoro::drawPersistent(QPainter& p, const QRectF& clip) const
{
    for (const Drawn& d : drawn_) {
        const QRectF area = d.area();
        if (!area.intersects(clip))
            continue;
        if (d.cols == 1 && d.rows == 1)
            p.drawPixmap(d.at, d.picture);
        else
            p.drawTiledPixmap(area, d.picture);
    }
}

QPixmap frmTavoro::backgroundImage() const
{
    const QSize wanted = services::seams().ScreenPixels(this).expandedTo(size());
    QPixmap image(wanted);
    image.fill(palette().color(QPalette::Window));
    QPainter p(&image);
    drawPersistent(p, QRectF(QPointF(0, 0), QSizeF(wanted)));
    return image;
}

void frmTavoro::afterFirstPaint(std::function<void()> then)
{
    if (firstPaintDone_)
        QMetaObject::invokeMethod(this, std::move(then), Qt::QueuedConnection);
    else
        afterFirstPaint_.push_back(std::move(then));
}

void frmTavoro::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    if (testAttribute(Qt::WA_OpaquePaintEvent)) {
        // The window's own background only where no picture covers it: the
        // wallpaper covers all of it, and a screen's worth of black painted
        // under it first would cost time for nothing.
        QRegion uncovered = e->region();
        for (const Drawn& d : drawn_)
            if (!d.picture.hasAlphaChannel())
                uncovered -= d.area().toAlignedRect();
        for (const QRect& r : uncovered)
            p.fillRect(r, palette().window());
    }
    if (!firstPaintDone_) {
        firstPaintDone_ = true;
        trace::mark("room paint begins");
        // The icon is read and handed to the window system after the room's
        // first paint, which then comes that much sooner; so do the sound
        // device and the sounds asked for meanwhile start loading, held back
        // until now (their libraries load while no other library may, and
        // their work would take the processor from the painting).
        QMetaObject::invokeMethod(
            this,
            [this] {
                trace::mark("room painted");
                setWindowIcon(QIcon(QStringLiteral(":/art/icon/tavoro.png")));
                media::startSound();
                for (const auto& then : std::exchange(afterFirstPaint_, {}))
                    then();
            },
            Qt::QueuedConnection);
    }
    if (drawn_.empty())
        return;
    p.setClipRegion(e->region());
    drawPersistent(p, e->rect());
}

// ---------------------------------------------------------------------------
// The board
