#include "mainwindow/frame.h"

#include "mainwindow/frame_art.h"

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
    if (cache_.isNull() || cache_.size() != size() * dpr || cache_.devicePixelRatio() != dpr
        || cachedOpening_ != opening_) {
        cache_ = QPixmap::fromImage(renderFrame(size(), opening_, dpr, QStringLiteral(":/art")));
        cachedOpening_ = opening_;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, cache_);
}

}  // namespace mainwindow
