#pragma once
// Controls of the picture and wallpaper windows: images and picture boxes
// that report a click and a double-click, a picture box that keeps what is
// drawn into it, and a file list. Places and sizes are in twips, as in every
// window but the main window.

#include "widgets/controls.h"
#include "platform/twips.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QStringList>
#include <functional>

namespace dialogs {

// Puts a control at its place in twips.
template <class Control>
void placeTwips(Control* c, int left, int top, int width, int height)
{
    constexpr float perPixel = twips::TwipsPerPixel;
    c->place(left / perPixel, top / perPixel, width / perPixel, height / perPixel);
}

// A control that reports Click (a press and release of the left button over
// it) and DblClick. As on the desktop the window system has always had, the
// release after a double-click is no second Click.
template <class Base>
class Clickable : public Base {
public:
    using Base::Base;

    std::function<void(QPoint at)> onClick;
    std::function<void()> onDblClick;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        pressed_ = e->button() == Qt::LeftButton;
        e->accept();
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const bool click = pressed_ && e->button() == Qt::LeftButton
            && this->rect().contains(e->position().toPoint());
        pressed_ = false;
        e->accept();
        if (click && onClick)
            onClick(e->position().toPoint());
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        pressed_ = false;
        e->accept();
        if (e->button() == Qt::LeftButton && onDblClick)
            onDblClick();
    }

private:
    bool pressed_ = false;
};

using ClickImage = Clickable<widgets::ImageControl>;

// A picture box with persistent drawing: what is drawn into it stays and is
// shown whenever the box is painted. Positions are in twips of the box.
class PictureBoxBase : public widgets::Placed<QWidget> {
public:
    explicit PictureBoxBase(QWidget* parent);

    // The inner size in twips.
    int ScaleWidth() const { return twips::fromPixels(width()); }
    int ScaleHeight() const { return twips::fromPixels(height()); }

    // Draws the picture at its natural size with its top left corner at (x, y)
    // twips; what reaches past the edge is clipped.
    void PaintPicture(const QPixmap& picture, int x, int y);
    // What the box shows.
    const QPixmap& Image() const { return canvas_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    QPixmap canvas_;
};

using PictureBox = Clickable<PictureBoxBase>;

// The file list File1: the files of one folder whose names match the
// pattern, in alphabetical order. Setting ListIndex from the program reports
// no click; a player's choice (mouse or keys) calls onClick.
class FileListBox : public QListWidget {
public:
    explicit FileListBox(QWidget* parent);

    // Patterns separated by ";" ("*.bmp;*.jpg"); letters match either case.
    void setPattern(const QString& pattern);
    QString Pattern() const { return pattern_; }
    // Lists the folder's files afresh; a missing folder lists nothing.
    void setPath(const QString& path);
    QString Path() const { return path_; }
    void Refresh();

    int ListCount() const { return count(); }
    QString List(int i) const;
    // -1 when nothing is selected.
    int ListIndex() const { return currentRow(); }
    void setListIndex(int i);
    // The selected file's name; empty when nothing is selected.
    QString FileName() const;

    std::function<void()> onClick;
    // After each listing, with the entries made afresh.
    std::function<void()> onListed;

    void place(float left, float top, float width, float height)
    {
        setGeometry(widgets::nearestPixel(left), widgets::nearestPixel(top),
                    widgets::nearestPixel(width), widgets::nearestPixel(height));
    }

private:
    QString path_;
    QString pattern_;
    bool settingIndex_ = false;
};

}  // namespace dialogs
