// The start-up artwork's cost: every piece the start screen and the room show
// at start-up (the rasters the program carries, at pixel ratio 1), rendered
// from its SVG as the game once did, and decoded from its raster as it does now.

#include "widgets/art_render.h"
#include "support/gui_bench_main.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Art {
    QString path;
    QSize size;
};

// ":/art-raster/<name>@<w>x<h>@1.argb" back to ":/art/<name>.svg" and its size.
std::vector<Art> startUpArt()
{
    static const QRegularExpression name(QStringLiteral(R"(^:/art-raster/(.+)@(\d+)x(\d+)@1\.argb$)"));
    std::vector<Art> art;
    QDirIterator it(QStringLiteral(":/art-raster"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = name.match(it.next());
        if (m.hasMatch())
            art.push_back({QStringLiteral(":/art/%1.svg").arg(m.captured(1)),
                           QSize(m.captured(2).toInt(), m.captured(3).toInt())});
    }
    return art;
}

using Render = QImage (*)(const QString& path, QSize size, qreal devicePixelRatio);

void StartUpArt(benchmark::State& state, Render render)
{
    const std::vector<Art> art = startUpArt();
    for (auto _ : state)
        for (const Art& a : art)
            benchmark::DoNotOptimize(render(a.path, a.size, 1.0).constBits());
    state.counters["pieces"] = double(art.size());
}
BENCHMARK_CAPTURE(StartUpArt, FromSvg, &widgets::renderSvgArt)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartUpArt, FromRasters, &widgets::renderArtImage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return runGuiBenchmarks(argc, argv);
}
