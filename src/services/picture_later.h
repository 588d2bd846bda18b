#pragma once
// A player's own picture read on a worker thread of its own (of lower
// priority than the window's), so that a large or slow file never stops the
// window: the answer comes back on the window's thread. Each window keeps one
// PictureLater; a new reading makes the one before it stale: a stale reading
// not yet begun is skipped, and a stale answer, or one for a window that has
// gone, is dropped unseen. (Not Qt's global pool: its threads also cut large
// pictures in parts for the window, which would wait behind a long reading.)

#include "services/picture_file.h"
#include "services/picture_square.h"

#include <QImage>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

namespace pictures {

// What a reading found: the picture, or the failure it raised (its number,
// 0 when it read, and its description).
struct Decoded {
    QImage picture;
    QSize upright;  // the whole picture's size upright (whole readings only)
    int32_t failure = 0;
    QString description;
    // Raises the failure again, on the thread that handles it.
    void raiseFailure() const;
};

class PictureLater {
public:
    using Done = std::function<void(const Decoded&)>;

    // `owner` is the window that handles the answers: none comes after it
    // has gone.
    explicit PictureLater(QObject* owner);

    // The board's picture of `path` cut at `square` (loadPuzzlePicture).
    void read(const QString& path, const Square& square, Done done);
    // The whole picture scaled to fit `maxSide` (loadWholePicture).
    void readWhole(const QString& path, int maxSide, Done done);
    // The reading under way, if any, becomes stale.
    void cancel();
    // Whether a reading is under way whose answer is still wanted.
    bool busy() const;

private:
    void start(const QString& path, std::function<Decoded()> work, Done done);
    // Kept by the answers under way as well; touched on the window's thread only.
    struct State {
        std::atomic<int> latest{0};  // read on the worker to skip stale readings
        bool busy = false;
    };
    QPointer<QObject> owner_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

// Thumbnails of a window's own pictures: each the square the board plays of
// it (the whole picture squeezed when so chosen), at most `side` pixels a
// side, made one after the other on a worker of their own of low priority,
// apart from the previews' worker, so that a preview never waits behind five
// hundred thumbnails. Each answer (the thumbnail or the failure) comes back
// on the window's thread, in the order asked; cancel() and a window gone
// drop what is not yet made. The window keeps what arrives.
class Thumbnails {
public:
    using Done = std::function<void(const QString& path, const Decoded&)>;

    explicit Thumbnails(QObject* owner);
    ~Thumbnails();
    Thumbnails(const Thumbnails&) = delete;
    Thumbnails& operator=(const Thumbnails&) = delete;

    void make(const QStringList& paths, int side, Done done);
    void cancel();

private:
    QPointer<QObject> owner_;
    std::shared_ptr<std::atomic<int>> latest_ = std::make_shared<std::atomic<int>>(0);
};

// Readings posted and not yet answered or dropped, in every window (tests
// wait for none to be left).
int readingsUnderWay();

}  // namespace pictures
