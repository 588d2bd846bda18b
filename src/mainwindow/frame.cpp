#include "mainwindow/frame.h"

#include "mainwindow/frame_art.h"
#include "mainwindow/frame_cache.h"

#include <QPainter>
#include <QThreadPool>

#include <future>
#include <memory>
#include <mutex>

namespace mainwindow {

namespace {

struct PendingFrame {
    QSize size;
    QRectF opening;
    qreal dpr = 0;
    std::shared_future<QImage> image;

    bool is(QSize s, const QRectF& o, qreal d) const
    {
        return image.valid() && size == s && opening == o && dpr == d;
    }
};

std::mutex pendingMutex;
PendingFrame pending;

// The frame begun for this size, opening and ratio, waited for; a null image
// when none was begun.
QImage takeFrame(QSize size, const QRectF& opening, qreal dpr)
{
    std::shared_future<QImage> image;
    {
        std::lock_guard lock(pendingMutex);
        if (!pending.is(size, opening, dpr))
            return {};
        image = std::move(pending.image);
        pending = PendingFrame{};
    }
    return image.get();
}

}  // namespace

void prerenderFrame(QSize size, const QRectF& opening, qreal dpr)
{
    if (size.isEmpty())
        return;
    auto promise = std::make_shared<std::promise<QImage>>();
    {
        std::lock_guard lock(pendingMutex);
        if (pending.is(size, opening, dpr))
            return;
        pending = PendingFrame{size, opening, dpr, promise->get_future().share()};
    }
    // On a worker of the global pool, where Qt fills alone instead of handing
    // parts of its fills to the pool and waiting for them; ahead of the other
    // artwork in the queue, as the largest drawing of the room. Kept from an
    // earlier run when it can be, and kept for the next one.
    QThreadPool::globalInstance()->start(
        [promise, size, opening, dpr] {
            QImage frame = framecache::load(size, opening, dpr);
            const bool drawn = frame.isNull();
            if (drawn)
                frame = renderFrame(size, opening, dpr, QStringLiteral(":/art"));
            promise->set_value(frame);
            if (drawn)
                framecache::store(frame, size, opening, dpr);  // once the window has it
        },
        1);
}

FrameControl::FrameControl(QWidget* parent) : ImageControl(parent) {}

void FrameControl::setOpening(const QRectF& opening)
{
    opening_ = opening;
    prerenderFrame(size(), opening_, devicePixelRatioF());
    update();
}

QRectF FrameControl::Opening() const
{
    return opening_;
}

void FrameControl::paintEvent(QPaintEvent*)
{
    const qreal dpr = devicePixelRatioF();
    if (cache_.isNull() || cache_.size() != size() * dpr || cache_.devicePixelRatio() != dpr
        || cachedOpening_ != opening_) {
        QImage frame = takeFrame(size(), opening_, dpr);
        if (frame.isNull())
            frame = renderFrame(size(), opening_, dpr, QStringLiteral(":/art"));
        cache_ = QPixmap::fromImage(std::move(frame));
        cachedOpening_ = opening_;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, cache_);
}

}  // namespace mainwindow
