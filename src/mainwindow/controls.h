#pragma once
// Light controls of the main window: an image that stretches its picture to
// its own size, a board piece (an image that carries a tag and reports mouse
// presses), and an outline shape. Positions are kept as assigned (single
// precision, as the layout computes them); the widget stands at the nearest
// whole pixel.

#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <functional>

namespace game {
class BoardModel;
}

namespace mainwindow {

class ImageControl : public QWidget {
public:
    explicit ImageControl(QWidget* parent);

    const QPixmap& Picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

    float Left() const { return left_; }
    float Top() const { return top_; }
    void setLeft(float left);
    void setTop(float top);
    void setSize(int width, int height);

    // The control's own visibility, whatever its window shows.
    bool Visible() const { return !isHidden(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
    float left_ = 0;
    float top_ = 0;
};

// imgPuzz(k): a place of the board. Its tag is the board model's tag of the
// place; a press of any mouse button goes to onMouseDown with the classic
// button (1 left, 2 right, 4 middle, 0 others), shift state (1 Shift, 2 Ctrl,
// 4 Alt) and position.
class PuzzlePiece : public ImageControl {
public:
    PuzzlePiece(QWidget* parent, game::BoardModel& board, int16_t index);

    int16_t Index() const { return index_; }
    int16_t Tag() const;
    void setTag(int16_t tag);

    std::function<void(int16_t index, int16_t button, int16_t shift, float x, float y)> onMouseDown;

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    game::BoardModel& board_;
    int16_t index_;
};

// A rectangle outline that lets mouse presses through to what lies below.
class ShapeControl : public QWidget {
public:
    explicit ShapeControl(QWidget* parent, QColor colour = QColor(255, 215, 0), int borderWidth = 3);

    float Left() const { return left_; }
    float Top() const { return top_; }
    void setLeft(float left);
    void setTop(float top);
    bool Visible() const { return !isHidden(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
    int borderWidth_;
    float left_ = 0;
    float top_ = 0;
};

}  // namespace mainwindow
