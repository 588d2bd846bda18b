// The wallpaper's cost: one painting of the whole screen's area into the
// window's background image, with the smallest tile (30 x 10, about 2 700
// draws on a 1024 x 768 screen) and the largest (175 x 175), and one repaint
// of the window from that image.

#include "mainwindow/frmTavoro.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

frmTavoro& window()
{
    static frmTavoro* w = [] {
        auto* win = new frmTavoro;
        win->resize(1024, 740);
        return win;
    }();
    return *w;
}

void PaintBG(benchmark::State& state)
{
    frmTavoro& w = window();
    Allgemein::settings().setBackground(static_cast<int16_t>(state.range(0)));
    Allgemein::settings().setPlaySound(false);
    for (auto _ : state) {
        w.PaintBG();
        benchmark::ClobberMemory();
    }
}
// Argument: the wallpaper number.
BENCHMARK(PaintBG)->Arg(107)->Arg(114)->Unit(benchmark::kMillisecond);

void RepaintFromTheBackgroundImage(benchmark::State& state)
{
    frmTavoro& w = window();
    Allgemein::settings().setBackground(107);
    w.PaintBG();
    QImage target(w.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        w.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(RepaintFromTheBackgroundImage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    services::seams().ScreenPixels = [](const QWidget*) { return QSize(1024, 768); };
    services::seams().PlayWAV = [](int16_t) {};
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
