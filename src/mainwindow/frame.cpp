#include "mainwindow/frame.h"

#include "mainwindow/frame_art.h"

#include "platform/trace.h"

#include <QPainter>

namespace mainwindow {

FrameControl::FrameControl(QWidget* parent) : ImageControl(parent) {}

void FrameControl::setOpening(const QRectF& opening)
{
    opening_ = opening;
    update();
}

QRectF FrameControl::Opening() const
{
    return opening_;
}

void FrameControl::paintEvent(QPaintEvent*)
{
    // Drawn again only when the size, the opening or the pixel ratio changed.
    const qreal dpr = devicePixelRatioF();
    if (drawnSize_ != size() || drawnRatio_ != dpr || drawnOpening_ != opening_) {
        FrameBands drawn = renderFrameBands(size(), opening_, dpr, QStringLiteral(":/art"));
        for (int i = 0; i < 4; ++i)
            bands_[i] = QPixmap::fromImage(std::move(drawn.band[i]));
        at_ = drawn.at;
        drawnSize_ = size();
        drawnRatio_ = dpr;
        drawnOpening_ = opening_;
        trace::mark("frame drawn");
    }
    QPainter p(this);
    for (int i = 0; i < 4; ++i)
        if (!bands_[i].isNull())
            p.drawPixmap(QPointF(at_[i]) / dpr, bands_[i]);
}

}  // namespace mainwindow
