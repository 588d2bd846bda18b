#include "mainwindow/controls.h"

#include "game/board_model.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace mainwindow {

namespace {

int nearestPixel(float v)
{
    return static_cast<int>(std::lround(v));
}

}  // namespace

ImageControl::ImageControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ImageControl::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void ImageControl::setLeft(float left)
{
    left_ = left;
    move(nearestPixel(left), y());
}

void ImageControl::setTop(float top)
{
    top_ = top;
    move(x(), nearestPixel(top));
}

void ImageControl::setSize(int width, int height)
{
    resize(width, height);
}

void ImageControl::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), picture_);
}

PuzzlePiece::PuzzlePiece(QWidget* parent, game::BoardModel& board, int16_t index)
    : ImageControl(parent), board_(board), index_(index)
{
}

int16_t PuzzlePiece::Tag() const
{
    return board_.Tag[index_];
}

void PuzzlePiece::setTag(int16_t tag)
{
    board_.Tag[index_] = tag;
}

void PuzzlePiece::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    int16_t button = 0;
    switch (e->button()) {
    case Qt::LeftButton: button = 1; break;
    case Qt::RightButton: button = 2; break;
    case Qt::MiddleButton: button = 4; break;
    default: break;
    }
    int16_t shift = 0;
    if (e->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (e->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (e->modifiers() & Qt::AltModifier)
        shift |= 4;
    if (onMouseDown) {
        const QPointF pos = e->position();
        onMouseDown(index_, button, shift, static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    }
}

ShapeControl::ShapeControl(QWidget* parent, QColor colour, int borderWidth)
    : QWidget(parent), colour_(colour), borderWidth_(borderWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::setLeft(float left)
{
    left_ = left;
    move(nearestPixel(left), y());
}

void ShapeControl::setTop(float top)
{
    top_ = top;
    move(x(), nearestPixel(top));
}

void ShapeControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const qreal half = borderWidth_ / 2.0;
    p.setPen(QPen(colour_, borderWidth_));
    p.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

}  // namespace mainwindow
