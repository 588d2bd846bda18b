// Reading a player's photo: a camera's 6000 x 4000 JPEG cut to its middle
// square and scaled down while it is read, for the board (1600 pixels a side)
// and for the picture window's preview (400), and a 4000 x 3000 BMP, which
// has to be read whole.

#include "services/picture_file.h"
#include "support/gui_bench_main.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A busy photo of the size, written once per format.
QString photo(const char* format, QSize size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.") + QString::fromLatin1(format).toLower());
    if (!QFileInfo::exists(path)) {
        QImage img(size, QImage::Format_RGB32);
        QPainter p(&img);
        p.fillRect(img.rect(), QColor(120, 170, 220));
        for (int i = 0; i < 400; ++i)
            p.fillRect((i * 397) % size.width(), (i * 211) % size.height(), 300, 200,
                       QColor::fromHsv((i * 37) % 360, 180, 220));
        p.end();
        img.save(path, format, 90);
    }
    return path;
}

void LoadPhoto(benchmark::State& state, const char* format, QSize size, int side)
{
    const QString path = photo(format, size);
    for (auto _ : state) {
        const QImage picture = pictures::loadPuzzlePicture(path, side);
        benchmark::DoNotOptimize(picture.constBits());
    }
}

BENCHMARK_CAPTURE(LoadPhoto, Jpeg6000x4000ForTheBoard, "JPEG", QSize(6000, 4000), 1600)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadPhoto, Jpeg6000x4000ForThePreview, "JPEG", QSize(6000, 4000), 400)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadPhoto, Bmp4000x3000ForTheBoard, "BMP", QSize(4000, 3000), 1600)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return runGuiBenchmarks(argc, argv);
}
