#pragma once
// imgRahmen: the gilded picture frame around the board. Its border is put
// together from the artwork of one side (furniture/rahmen_seite.svg) and of
// one corner (furniture/rahmen_ecke.svg), each side as thick as the space
// between the frame's edge and its opening, so that the opening matches the
// board at every window size and board size: the board never covers the
// frame's mouldings or its corner rosettes, and no wallpaper shows between
// board and frame. The drawing itself is renderFrame (frame_art.h).

#include "mainwindow/frame_art.h"
#include "widgets/controls.h"

#include <QPixmap>
#include <QPoint>
#include <QRectF>

#include <array>

namespace mainwindow {

class FrameControl : public widgets::ImageControl {
public:
    explicit FrameControl(QWidget* parent);

    // The opening in the control's own pixels. Without one the border is
    // 31/300 of the control's size on every side.
    void setOpening(const QRectF& opening);
    QRectF Opening() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QRectF opening_;
    // The frame as drawn last: its four bands, not the transparent opening.
    std::array<QPixmap, 4> bands_;
    std::array<QPoint, 4> at_;
    QSize drawnSize_;
    qreal drawnRatio_ = 0;
    QRectF drawnOpening_;
};

}  // namespace mainwindow
