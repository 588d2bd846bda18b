#include "services/picture_later.h"

#include "errors/failure.h"
#include "platform/worker.h"
#include "services/seams.h"

#include <QCoreApplication>

#include <atomic>

namespace pictures {

namespace {

std::atomic<int> underWay{0};

worker::Worker& reader()
{
    static worker::Worker w(worker::Priority::Low);
    return w;
}

worker::Worker& thumbnailer()
{
    static worker::Worker w(worker::Priority::Low);
    return w;
}

}  // namespace

void Decoded::raiseFailure() const
{
    if (failure != 0)
        errors::raise(failure, description);
}

PictureLater::PictureLater(QObject* owner) : owner_(owner) {}

void PictureLater::read(const QString& path, const Square& square, Done done)
{
    start(
        path, [path, square] {
            Decoded d;
            d.picture = loadPuzzlePicture(path, square);
            return d;
        },
        std::move(done));
}

void PictureLater::readWhole(const QString& path, int maxSide, Done done)
{
    start(
        path, [path, maxSide] {
            Decoded d;
            d.picture = loadWholePicture(path, maxSide, &d.upright);
            return d;
        },
        std::move(done));
}

void PictureLater::cancel()
{
    ++state_->latest;
    state_->busy = false;
}

bool PictureLater::busy() const
{
    return state_->busy;
}

Thumbnails::Thumbnails(QObject* owner) : owner_(owner) {}

Thumbnails::~Thumbnails()
{
    cancel();
}

void Thumbnails::cancel()
{
    ++*latest_;
}

void Thumbnails::make(const QStringList& paths, int side, Done done)
{
    const int ticket = latest_->load();
    const auto each = std::make_shared<Done>(std::move(done));
    for (const QString& path : paths) {
        ++underWay;
        const bool posted = thumbnailer().post([path, side, ticket, each, latest = latest_, owner = owner_] {
            // Dropped or another list asked for meanwhile: nothing is made.
            QCoreApplication* app = QCoreApplication::instance();
            if (latest->load() != ticket || !app) {
                --underWay;
                return;
            }
            Decoded d;
            try {
                d.picture = loadPuzzlePicture(path, storedSquare(path), side);
            } catch (...) {
                const errors::Failure f = errors::currentFailure();
                d = {QImage(), QSize(), f.number(), f.description()};
            }
            QMetaObject::invokeMethod(
                app,
                [path, d, ticket, each, latest, owner] {
                    --underWay;
                    if (owner && latest->load() == ticket)
                        (*each)(path, d);
                },
                Qt::QueuedConnection);
        });
        if (!posted)
            --underWay;
    }
}

int readingsUnderWay()
{
    return underWay.load();
}

void PictureLater::start(const QString& path, std::function<Decoded()> work, Done done)
{
    const int ticket = ++state_->latest;
    state_->busy = true;
    ++underWay;
    // Taken here, on the window's thread, where tests set it.
    const auto before = services::seams().beforePictureRead;
    auto answer = [owner = owner_, state = state_, ticket, done = std::move(done)](
                      const Decoded& d) {
        --underWay;
        if (!owner || state->latest != ticket)
            return;
        state->busy = false;
        done(d);
    };
    const bool posted = reader().post([work = std::move(work), answer = std::move(answer), before, path,
                   state = state_, ticket] {
        Decoded d;
        try {
            if (before)
                before(path);
            // Another picture chosen meanwhile: this one is not read at all.
            if (state->latest.load() == ticket)
                d = work();
        } catch (...) {
            const errors::Failure f = errors::currentFailure();
            d = {QImage(), QSize(), f.number(), f.description()};
        }
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) {
            --underWay;
            return;
        }
        QMetaObject::invokeMethod(app, [answer, d] { answer(d); }, Qt::QueuedConnection);
    });
    if (!posted)
        --underWay;
}

}  // namespace pictures
