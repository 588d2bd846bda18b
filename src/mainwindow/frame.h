#pragma once
// imgRahmen: the gilded picture frame around the board. Its border is put
// together from the artwork of one side (furniture/rahmen_seite.svg) and of
// one corner (furniture/rahmen_ecke.svg), each side as thick as the space
// between the frame's edge and its opening, so that the opening matches the
// board at every window size and board size: the board never covers the
// frame's mouldings or its corner rosettes, and no wallpaper shows between
// board and frame. The drawing itself is renderFrame (frame_art.h).

#include "widgets/controls.h"

#include <QPixmap>
#include <QRectF>

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
    QPixmap cache_;
    QRectF cachedOpening_;
};

}  // namespace mainwindow
