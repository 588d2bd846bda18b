#include "dialogs/square_chooser.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace dialogs {

namespace {

// How near a corner a press takes hold of it, in pixels of the control.
constexpr qreal kCornerReach = 9;

}  // namespace

SquareChooser::SquareChooser(QWidget* parent) : Placed<QWidget>(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
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
    const QSizeF fitted = QSizeF(whole_).scaled(QSizeF(size()), Qt::KeepAspectRatio);
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

int SquareChooser::cornerAt(QPointF at) const
{
    const QRectF s = squareOnControl();
    const QPointF corners[4] = {s.topLeft(), s.topRight(), s.bottomRight(), s.bottomLeft()};
    for (int i = 0; i < 4; ++i)
        if (std::abs(at.x() - corners[i].x()) <= kCornerReach
            && std::abs(at.y() - corners[i].y()) <= kCornerReach)
            return i;
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
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(s.adjusted(1, 1, -1, -1));
    // The corners to take hold of.
    p.setPen(QPen(QColor(0x4a, 0x35, 0x20), 1));
    p.setBrush(Qt::white);
    for (const QPointF& c : {s.topLeft(), s.topRight(), s.bottomRight(), s.bottomLeft()}) {
        const QPointF inward(c.x() < s.center().x() ? 3 : -3, c.y() < s.center().y() ? 3 : -3);
        p.drawRect(QRectF(c + inward - QPointF(4, 4), QSizeF(8, 8)));
    }
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
        const QRect bounds(QPoint(0, 0), whole_);
        square_.moveLeft(std::clamp(square_.left(), 0, bounds.width() - square_.width()));
        square_.moveTop(std::clamp(square_.top(), 0, bounds.height() - square_.height()));
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

}  // namespace dialogs
