#pragma once
// Light controls of the main window: an image that stretches its picture (or
// renders its vector artwork) to its own size, a board piece (an image that
// carries a tag and reports mouse presses), an outline shape, a command
// button showing an icon or a flag, and a label.
//
// Every control keeps its place and size as assigned, in single precision as
// the layout computes them (a toolbar button is 36 2/3 pixels high, the frame
// may stand at left 195.4). The widget covers the whole pixels between its
// rounded edges, so that controls placed edge to edge touch without overlap.

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

class QSvgRenderer;

namespace game {
class Board;
}

namespace widgets {

// The nearest whole pixel of a position or edge.
inline int nearestPixel(float v)
{
    return static_cast<int>(std::lround(v));
}

// Vector artwork (an SVG of the program's resources, ":/art/...") rendered at
// the given size in pixels for the device pixel ratio, so that it stays sharp
// at any size. A null pixmap when the artwork cannot be read.
// Decoded from the art rasterised at build time when the program carries it at
// that size and ratio (art_render.h), else rendered from the SVG.
QPixmap renderArt(const QString& path, QSize size, qreal devicePixelRatio = 1.0);

// A control with a place and size in single precision. When its geometry is
// set by other means (QWidget::resize, move), the values read back are the
// widget's own.
template <class Base>
class Placed : public Base {
public:
    template <class... Args>
    explicit Placed(Args&&... args) : Base(std::forward<Args>(args)...)
    {
    }

    float Left() const { return this->x() == nearestPixel(left_) ? left_ : float(this->x()); }
    float Top() const { return this->y() == nearestPixel(top_) ? top_ : float(this->y()); }
    float Width() const
    {
        return this->width() == nearestPixel(left_ + width_) - nearestPixel(left_) && this->x() == nearestPixel(left_)
            ? width_
            : float(this->width());
    }
    float Height() const
    {
        return this->height() == nearestPixel(top_ + height_) - nearestPixel(top_) && this->y() == nearestPixel(top_)
            ? height_
            : float(this->height());
    }

    void setLeft(float left) { place(left, Top(), Width(), Height()); }
    void setTop(float top) { place(Left(), top, Width(), Height()); }
    void setWidth(float width) { place(Left(), Top(), width, Height()); }
    void setSize(float width, float height) { place(Left(), Top(), width, height); }

    void place(float left, float top, float width, float height)
    {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
        const int x0 = nearestPixel(left), y0 = nearestPixel(top);
        this->setGeometry(x0, y0, std::max(0, nearestPixel(left + width) - x0),
                          std::max(0, nearestPixel(top + height) - y0));
    }

    // The control's own visibility, whatever its window shows.
    bool Visible() const { return !this->isHidden(); }

private:
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
};

class ImageControl : public Placed<QWidget> {
public:
    explicit ImageControl(QWidget* parent);
    ~ImageControl() override;

    // A picture, stretched to the control.
    const QPixmap& Picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

    // Vector artwork instead of a picture, rendered at the control's size.
    void setArt(const QString& path);
    const QString& Art() const { return artPath_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
    QString artPath_;
    QPixmap artCache_;
};

// imgPuzz(k): a place of the board. Its tag is the number of the piece the
// board holds at the place (game::EmptyTag for none); a press of any mouse
// button goes to onMouseDown with the classic button (1 left, 2 right,
// 4 middle, 0 others), shift state (1 Shift, 2 Ctrl, 4 Alt) and position.
class PuzzlePiece : public ImageControl {
public:
    PuzzlePiece(QWidget* parent, const game::Board& board, int16_t index);

    int16_t Index() const { return index_; }
    int16_t Tag() const;

    std::function<void(int16_t index, int16_t button, int16_t shift, float x, float y)> onMouseDown;

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    const game::Board& board_;
    int16_t index_;
};

// A rectangle outline that lets mouse presses through to what lies below.
class ShapeControl : public Placed<QWidget> {
public:
    explicit ShapeControl(QWidget* parent, QColor colour = QColor(255, 215, 0), int borderWidth = 3);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
    int borderWidth_;
};

// A command button of the toolbar. It shows its artwork either as an icon of
// the given size in the middle of a push button, or filling the whole button
// (the flags), pressed in when held down.
class ButtonControl : public Placed<QPushButton> {
public:
    enum class Look { Icon, Fill };

    explicit ButtonControl(QWidget* parent);

    void setArt(const QString& path, Look look, QSize iconSize = {});
    const QString& Art() const { return artPath_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void renderIcon();

    QString artPath_;
    Look look_ = Look::Icon;
    QSize iconSize_;
    qreal iconRatio_ = 0;  // the scale factor the icon was rendered for
    QPixmap fillCache_;
};

// Sets the label's font to `points` or, when its one-line text would not fit
// the label's width with `margin` pixels free on either side, to the largest
// smaller size (in quarter points, down to two thirds) at which it does.
// Call it after each change of the text.
void fitText(QLabel* label, qreal points, int margin = 3);

// The same for a push button's text and icon, within the contents its style
// (padding and frame included) leaves, from the font it inherits. Call it
// once the button has its style: when its window is shown.
void fitText(QPushButton* button);

class LabelControl : public Placed<QLabel> {
public:
    explicit LabelControl(const QString& text, QWidget* parent);
};

}  // namespace widgets
