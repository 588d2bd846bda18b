// The picture frame's cost: one drawing of the frame around the board, put
// together from the rasters of its pieces (as the game does) and from its
// artwork, at the size the room gives it on a 1920 x 1080 screen
// (827 x 827, board 5 x 5) and on an 800 x 600 window.

#include "mainwindow/frame_art.h"
#include "support/gui_bench_main.h"

#include <QGuiApplication>
#include <QSemaphore>
#include <QThreadPool>
#include <benchmark/benchmark.h>

namespace {

void RenderFrame(benchmark::State& state)
{
    const int side = int(state.range(0));
    const int border = int(state.range(1));
    const QRectF opening(border, border - 2, side - 2 * border, side - 2 * border);
    for (auto _ : state) {
        QImage frame = mainwindow::renderFrame(QSize(side, side), opening, 1.0, QStringLiteral(":/art"));
        benchmark::DoNotOptimize(frame.constBits());
    }
}
// Arguments: the frame's side and its border, in pixels.
BENCHMARK(RenderFrame)->Args({827, 38})->Args({430, 37})->Unit(benchmark::kMillisecond);

// The same drawn from the artwork itself, as where the rasters do not serve
// (a border thicker than they hold).
void RenderFrameFromArtwork(benchmark::State& state)
{
    const int side = int(state.range(0));
    const int border = int(state.range(1));
    const QRectF opening(border, border - 2, side - 2 * border, side - 2 * border);
    for (auto _ : state) {
        QImage frame = mainwindow::renderFrame(QSize(side, side), opening, 1.0, QStringLiteral(":/art"),
                                               mainwindow::SidePieces::Trimmed);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(RenderFrameFromArtwork)->Args({827, 38})->Args({430, 37})->Unit(benchmark::kMillisecond);

// The same on a worker of the global thread pool, as the game does it: Qt
// then fills on that thread alone instead of handing parts of the larger
// fills to the pool and waiting for them.
void RenderFrameOnWorker(benchmark::State& state)
{
    const int side = int(state.range(0));
    const int border = int(state.range(1));
    const QRectF opening(border, border - 2, side - 2 * border, side - 2 * border);
    for (auto _ : state) {
        QImage frame;
        QSemaphore done;
        QThreadPool::globalInstance()->start([&] {
            frame = mainwindow::renderFrame(QSize(side, side), opening, 1.0, QStringLiteral(":/art"));
            done.release();
        });
        done.acquire();
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(RenderFrameOnWorker)->Args({827, 38})->Args({430, 37})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return runGuiBenchmarks(argc, argv);
}
