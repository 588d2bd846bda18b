// The board's own costs: a new game with its shuffle for every size, and one
// press on an 8 x 8 board, the model's share and the repaint of the pieces.

#include "widgets/controls.h"
#include "mainwindow/frmTavoro.h"
#include "widgets/seams.h"
#include "services/settings.h"
#include "services/shared.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

QImage benchPicture()
{
    QImage img(383, 374, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    return img;
}

frmTavoro& window()
{
    static frmTavoro* w = [] {
        auto* win = new frmTavoro;
        win->resize(800, 600);
        win->PicClip1.setPicture(benchPicture());
        win->Form_Load();
        win->NewGame();  // the first call of the run
        win->show();
        QCoreApplication::processEvents();
        return win;
    }();
    return *w;
}

void NewGameAndShuffle(benchmark::State& state)
{
    frmTavoro& w = window();
    Allgemein::settings().setSize(int(state.range(0)));
    Allgemein::settings().setMode(state.range(1) ? game::Mode::Swap : game::Mode::Slide);
    for (auto _ : state) {
        w.NewGame();
        w.Shuffle();
        benchmark::DoNotOptimize(w.board.emptyPlace());
    }
    state.SetLabel(std::to_string(w.board.walkSteps()) + " steps");
}
// Arguments: N, mode (0 slide, 1 swap).
BENCHMARK(NewGameAndShuffle)
    ->ArgsProduct({benchmark::CreateDenseRange(3, 8, 1), {0, 1}})
    ->Unit(benchmark::kMicrosecond);

void PressOn8x8(benchmark::State& state)
{
    frmTavoro& w = window();
    Allgemein::settings().setSize(8);
    Allgemein::settings().setMode(game::Mode::Slide);
    Allgemein::settings().setPlaySound(false);
    w.NewGame();
    w.Start();
    QCoreApplication::processEvents();  // the shuffled board is painted once
    for (auto _ : state) {
        // A neighbour of the empty place moves in; the next press moves it back.
        const int16_t e = w.board.emptyPlace();
        const int16_t k = e % 8 > 0 ? e - 1 : e + 1;
        w.imgPuzz_MouseDown(k, 1, 0, 1, 1);
        // The two changed pieces are painted again.
        QCoreApplication::processEvents();
        if (w.board.locked()) {
            state.PauseTiming();
            w.Start();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(PressOn8x8)->Unit(benchmark::kMicrosecond);

// A room of 1920 x 1080, laid out and shown, for the benchmarks of that size.
frmTavoro* roomAt1080p()
{
    static frmTavoro* w = [] {
        auto* win = new frmTavoro;
        win->resize(1920, 1080);
        win->PicClip1.setPicture(benchPicture());
        win->Form_Load();
        win->NewGame();
        win->show();
        QCoreApplication::processEvents();
        win->Positioned = true;
        win->positionieren();
        return win;
    }();
    return w;
}

// One frame of a glide on an 8 x 8 board in a 1920 x 1080 room: the moving
// piece one step further and the window painted where it changed.
void GlideFrameOn8x8At1080p(benchmark::State& state)
{
    frmTavoro* w = roomAt1080p();
    Allgemein::settings().setSize(8);
    Allgemein::settings().setMode(game::Mode::Slide);
    Allgemein::settings().setPlaySound(false);
    w->NewGame();
    w->Start();
    QCoreApplication::processEvents();
    const int16_t e = w->board.emptyPlace();
    const int16_t k = e % 8 > 0 ? e - 1 : e + 1;
    w->imgPuzz_MouseDown(k, 1, 0, 1, 1);  // the piece now at e glides from k
    QWidget* piece = w->imgPuzz(e);
    const QPoint home = piece->pos();
    int step = 0;
    for (auto _ : state) {
        piece->move(home + QPoint(step % 2 ? -3 : 3, 0));
        ++step;
        QCoreApplication::processEvents();
    }
    piece->move(home);
    state.SetLabel("budget 8000 us a frame");
}
BENCHMARK(GlideFrameOn8x8At1080p)->Unit(benchmark::kMicrosecond);

// A live resize at about 1920 x 1080 with a 5 x 5 game running: the room laid
// out again for the new size and painted (budget: 16 ms, a 60 Hz frame).
void RelayoutAt1080p(benchmark::State& state)
{
    frmTavoro* w = roomAt1080p();
    Allgemein::settings().setSize(5);
    w->NewGame();
    w->Start();
    QCoreApplication::processEvents();
    // Memory after the first 200 resizes, and its growth over the rest.
    const auto residentKiB = [] {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0LL;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').front().toLongLong();
        return 0LL;
    };
    int step = 0;
    long long settled = 0;
    for (auto _ : state) {
        w->resize(step++ % 2 ? QSize(1920, 1080) : QSize(1900, 1060));
        w->Form_Resize();
        QCoreApplication::processEvents();
        if (step == 200)
            settled = residentKiB();
    }
    if (settled > 0)
        state.counters["rss_growth_kib"] = double(residentKiB() - settled);
    state.SetLabel("budget 16000 us");
}
BENCHMARK(RelayoutAt1080p)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    widgets::seams().showChampions = [](QWidget*, std::optional<game::Score>) {};
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
