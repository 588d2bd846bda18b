#include "dialogs/square_chooser.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace dialogs {

namespace {

// The square within the picture of that size.
QRect inside(QRect square, QSize whole)
{
    square.moveLeft(std::clamp(square.left(), 0, whole.width() - square.width()));
    square.moveTop(std::clamp(square.top(), 0, whole.height() - square.height()));
    return square;
}

}  // namespace

SquareChooser::SquareChooser(QWidget* parent) : Placed<QWidget>(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::StrongFocus);
}

void SquareChooser::setMargin(int pixels)
{
    margin_ = std::max(0, pixels);
    update();
}

void SquareChooser::setPicture(const QImage& shown, QSize whole, QRect square)
{
    shown_ = shown;
    whole_ = whole;
    square_ = square;
    grip_ = Grip::None;
    update();
}

QRectF SquareChooser::pictureArea() const
{
    if (whole_.isEmpty())
        return {};
    const QSizeF room(std::max(1, width() - 2 * margin_), std::max(1, height() - 2 * margin_));
    const QSizeF fitted = QSizeF(whole_).scaled(room, Qt::KeepAspectRatio);
    return QRectF(QPointF((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

QPointF SquareChooser::toPicture(QPointF at) const
{
    const QRectF area = pictureArea();
    if (area.isEmpty())
        return {};
    const qreal scale = whole_.width() / area.width();
    return (at - area.topLeft()) * scale;
}

QRectF SquareChooser::squareOnControl() const
{
    const QRectF area = pictureArea();
    if (area.isEmpty())
        return {};
    const qreal scale = area.width() / whole_.width();
    return QRectF(area.topLeft() + QPointF(square_.topLeft()) * scale, QSizeF(square_.size()) * scale);
}

QRectF SquareChooser::handle(int corner) const
{
    // A quarter of it over the square, the rest outside, as far as the
    // control reaches.
    const QRectF s = squareOnControl();
    const QPointF corners[4] = {s.topLeft(), s.topRight(), s.bottomRight(), s.bottomLeft()};
    const QPointF outward(corner == 0 || corner == 3 ? -1 : 1, corner < 2 ? -1 : 1);
    QRectF h(QPointF(), QSizeF(kHandle, kHandle));
    h.moveCenter(corners[corner] + outward * (kHandle / 4));
    h.moveLeft(std::clamp(h.left(), 0.0, std::max(0.0, width() - kHandle)));
    h.moveTop(std::clamp(h.top(), 0.0, std::max(0.0, height() - kHandle)));
    return h;
}

int SquareChooser::cornerAt(QPointF at) const
{
    // On a square too small for four handles and room to take hold of it
    // between them, its inside moves it, but for a few pixels at each corner.
    const QRectF s = squareOnControl();
    const QPointF corners[4] = {s.topLeft(), s.topRight(), s.bottomRight(), s.bottomLeft()};
    const bool small = s.width() < 2 * kHandle;
    for (int i = 0; i < 4; ++i) {
        if (!handle(i).contains(at))
            continue;
        if (small && s.contains(at)
            && (std::abs(at.x() - corners[i].x()) > kHandle / 4 || std::abs(at.y() - corners[i].y()) > kHandle / 4))
            continue;
        return i;
    }
    return -1;
}

void SquareChooser::updateCursor(QPointF at)
{
    const int corner = grip_ == Grip::Corner ? corner_ : cornerAt(at);
    if (corner == 0 || corner == 2)
        setCursor(Qt::SizeFDiagCursor);
    else if (corner == 1 || corner == 3)
        setCursor(Qt::SizeBDiagCursor);
    else if (grip_ == Grip::Move || squareOnControl().contains(at))
        setCursor(Qt::SizeAllCursor);
    else
        unsetCursor();
}

void SquareChooser::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRectF area = pictureArea();
    if (shown_.isNull() || area.isEmpty())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(area, shown_);
    const QRectF s = squareOnControl();
    // Dim what the board leaves out.
    QPainterPath outside;
    outside.addRect(area);
    QPainterPath inside;
    inside.addRect(s);
    p.fillPath(outside.subtracted(inside), QColor(0, 0, 0, 130));
    p.setRenderHint(QPainter::Antialiasing);
    // With the keys' focus the frame is the album's gold.
    p.setPen(QPen(hasFocus() ? QColor(0xff, 0xd7, 0x00) : QColor(Qt::white), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(s.adjusted(1, 1, -1, -1));
    // The corners to take hold of, whole on the control.
    p.setPen(QPen(QColor(0x4a, 0x35, 0x20), 1.5));
    p.setBrush(QColor(255, 255, 255, 225));
    for (int i = 0; i < 4; ++i)
        p.drawRoundedRect(handle(i).adjusted(0.75, 0.75, -0.75, -0.75), 4, 4);
}

void SquareChooser::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || whole_.isEmpty())
        return;
    const QPointF at = e->position();
    before_ = square_;
    corner_ = cornerAt(at);
    grip_ = corner_ >= 0 ? Grip::Corner
        : squareOnControl().contains(at) ? Grip::Move
                                          : Grip::None;
    if (grip_ == Grip::None) {
        // A press beside the square brings it there.
        grip_ = Grip::Move;
        const QPointF p = toPicture(at);
        square_.moveCenter(p.toPoint());
        square_ = inside(square_, whole_);
        update();
    }
    pressedAt_ = toPicture(at);
    pressedSquare_ = square_;
    e->accept();
}

void SquareChooser::mouseMoveEvent(QMouseEvent* e)
{
    const QPointF at = e->position();
    if (grip_ == Grip::None) {
        updateCursor(at);
        return;
    }
    const QPointF p = toPicture(at);
    const int W = whole_.width(), H = whole_.height();
    if (grip_ == Grip::Move) {
        const QPointF d = p - pressedAt_;
        const int x = std::clamp(int(std::lround(pressedSquare_.x() + d.x())), 0, W - square_.width());
        const int y = std::clamp(int(std::lround(pressedSquare_.y() + d.y())), 0, H - square_.height());
        square_.moveTo(x, y);
    } else {
        // The opposite corner stays; the side follows the farther of the
        // two distances, between half the largest square and all of it, and
        // within the picture.
        const QRect& s = pressedSquare_;
        const bool left = corner_ == 0 || corner_ == 3, top = corner_ == 0 || corner_ == 1;
        const int ax = left ? s.right() + 1 : s.left(), ay = top ? s.bottom() + 1 : s.top();
        const int largest = std::min(W, H);
        const int room = std::min(left ? ax : W - ax, top ? ay : H - ay);
        const int wanted = int(std::lround(std::max(std::abs(p.x() - ax), std::abs(p.y() - ay))));
        const int side = std::clamp(wanted, std::min((largest + 1) / 2, room), std::min(largest, room));
        square_ = QRect(left ? ax - side : ax, top ? ay - side : ay, side, side);
    }
    updateCursor(at);
    update();
}

void SquareChooser::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || grip_ == Grip::None)
        return;
    grip_ = Grip::None;
    updateCursor(e->position());
    if (onChosen && square_ != before_)
        onChosen(square_);
}

void SquareChooser::mouseDoubleClickEvent(QMouseEvent* e)
{
    grip_ = Grip::None;
    if (e->button() == Qt::LeftButton && onDblClick)
        onDblClick();
}

void SquareChooser::keyPressEvent(QKeyEvent* e)
{
    if (whole_.isEmpty() || (e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
        Placed<QWidget>::keyPressEvent(e);
        return;
    }
    // A twentieth of the square a press, a quarter with Shift.
    const int step = std::max(1, square_.width() / ((e->modifiers() & Qt::ShiftModifier) ? 4 : 20));
    const int largest = std::min(whole_.width(), whole_.height());
    QRect s = square_;
    int grow = 0;
    switch (e->key()) {
    case Qt::Key_Left: s.translate(-step, 0); break;
    case Qt::Key_Right: s.translate(step, 0); break;
    case Qt::Key_Up: s.translate(0, -step); break;
    case Qt::Key_Down: s.translate(0, step); break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: grow = step; break;
    case Qt::Key_Minus: grow = -step; break;
    default: Placed<QWidget>::keyPressEvent(e); return;
    }
    e->accept();
    if (grow != 0) {
        // About its middle, between half the largest square and all of it.
        const int side = std::clamp(s.width() + 2 * grow, (largest + 1) / 2, largest);
        const QPoint middle = s.center();
        s.setSize(QSize(side, side));
        s.moveCenter(middle);
    }
    s = inside(s, whole_);
    if (s == square_)
        return;
    square_ = s;
    update();
    if (onChosen)
        onChosen(square_);
}

void SquareChooser::focusInEvent(QFocusEvent* e)
{
    Placed<QWidget>::focusInEvent(e);
    update();
}

void SquareChooser::focusOutEvent(QFocusEvent* e)
{
    Placed<QWidget>::focusOutEvent(e);
    update();
}

}  // namespace dialogs
