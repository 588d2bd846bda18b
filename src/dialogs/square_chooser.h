#pragma once
// The preview of a picture that is not square: the whole picture, fitted
// into the control, with the square the board will show framed on it. The
// player drags the square to move it and drags a corner to make it smaller
// or larger, from the largest square the picture holds down to half of that.
// Each corner's handle is at least 24 pixels across, however thin the
// picture: the control reaches a margin beyond the picture on every side, so
// that a handle at the picture's edge lies whole on it. With the focus, the
// arrow keys move the square and + and - size it (Shift: in larger steps).
// Outside the square the picture is dimmed. Positions are kept in pixels of
// the whole upright picture (pictures::Square::region).

#include "widgets/controls.h"

#include <QImage>
#include <QRect>
#include <functional>

namespace dialogs {

class SquareChooser : public widgets::Placed<QWidget> {
public:
    explicit SquareChooser(QWidget* parent);

    // The handles' smallest side, in pixels of the control.
    static constexpr qreal kHandle = 24;
    // The room left around the picture.
    void setMargin(int pixels);

    // The picture scaled down for showing, the size of the whole upright
    // picture, and the square chosen (in the whole picture's pixels).
    void setPicture(const QImage& shown, QSize whole, QRect square);
    QRect square() const { return square_; }
    QSize wholeSize() const { return whole_; }

    // After the player let go of the square.
    std::function<void(QRect square)> onChosen;
    std::function<void()> onDblClick;

    // Where the picture lies on the control, and a point of the control in
    // the whole picture's pixels.
    QRectF pictureArea() const;
    QPointF toPicture(QPointF at) const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    enum class Grip { None, Move, Corner };
    QRectF squareOnControl() const;
    // The corner under the point (0 top left, 1 top right, 2 bottom right,
    // 3 bottom left), or -1.
    int cornerAt(QPointF at) const;
    // The handle of the corner, on the control.
    QRectF handle(int corner) const;
    void updateCursor(QPointF at);

    QImage shown_;
    QSize whole_;
    QRect square_;
    Grip grip_ = Grip::None;
    int corner_ = -1;
    QPointF pressedAt_;  // in the picture's pixels
    QRect pressedSquare_;
    QRect before_;  // the square before the press
    int margin_ = 0;
};

}  // namespace dialogs
