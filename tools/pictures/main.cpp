// Draws the sixteen puzzle pictures and writes them as palettised bitmaps.
//   make_pictures <output folder> [--png <folder>] [number ...]
// Without numbers all sixteen are made. --png also writes the full-colour
// drawings before their reduction to a palette (for looking at them).

#include "paint.h"
#include "quantize.h"
#include "scenes.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

using namespace pictures;

namespace {

struct Picture {
    int number;
    int w, h;
    int colours;
    QImage (*draw)(int, int);
    double vignette;
};

// Sizes vary between 300 and 400; 214 has sides that no board size divides.
const Picture Pictures[] = {
    {201, 400, 400, 256, mountainLake, 0.18},
    {202, 384, 384, 256, harbour, 0.18},
    {203, 400, 380, 256, cityAtNight, 0.12},
    {204, 360, 360, 256, fruitStillLife, 0.22},
    {205, 350, 350, 256, catOnRug, 0.2},
    {206, 320, 320, 256, balloons, 0.16},
    {207, 400, 400, 256, lighthouse, 0.18},
    {208, 375, 375, 256, autumnForest, 0.2},
    {209, 392, 392, 256, reef, 0.2},
    {210, 336, 336, 256, flowerGarden, 0.18},
    {211, 300, 300, 256, butterfly, 0.2},
    {212, 400, 390, 256, countryTrain, 0.16},
    {213, 320, 320, 256, patchworkQuilt, 0.14},
    {214, 383, 374, 256, fractal, 0.1},
    {215, 360, 360, 16, stainedGlass, 0.0},
    {216, 400, 400, 256, villageStreet, 0.18},
};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: make_pictures <output folder> [--png <folder>] [number ...]\n");
        return 2;
    }
    const QString out = args.takeFirst();
    QString pngDir;
    QList<int> only;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == "--png" && !args.isEmpty())
            pngDir = args.takeFirst();
        else
            only.append(a.toInt());
    }
    QDir().mkpath(out);
    if (!pngDir.isEmpty())
        QDir().mkpath(pngDir);
    for (const Picture& pic : Pictures) {
        if (!only.isEmpty() && !only.contains(pic.number))
            continue;
        QImage img = pic.draw(pic.w, pic.h);
        // The stained glass keeps its own lead and glass; the rest share the
        // warm paper finish.
        finishing(img, uint32_t(pic.number), pic.vignette, pic.colours == 16 ? 0.4 : 1.0);
        if (!pngDir.isEmpty())
            img.save(QString("%1/%2.png").arg(pngDir).arg(pic.number));
        const Indexed indexed = quantize(img, pic.colours, pic.colours == 16 ? 0.75 : 0.9);
        QFile f(QString("%1/%2.bmp").arg(out).arg(pic.number));
        if (!f.open(QIODevice::WriteOnly) || f.write(toBmp(indexed)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
            return 1;
        }
        std::printf("%d: %dx%d, %d colours\n", pic.number, pic.w, pic.h,
                    int(indexed.palette.size()));
    }
    return 0;
}
