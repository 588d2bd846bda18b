// Draws the rasters the game puts the picture frame together from, at build
// time: each piece of a side and the corner, from the artwork, by the game's
// own drawing (src/mainwindow/frame_raster.cpp).
//   frameraster <art folder> <output folder>
// writes <output folder>/<name>.argb: raw premultiplied pixels in this
// machine's byte order, rows without padding, as the game reads them.

#include "mainwindow/frame_parts.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Painting needs a GUI application; no screen is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: frameraster <art folder> <output folder>\n");
        return 1;
    }
    const QString artRoot = QString::fromLocal8Bit(argv[1]);
    const QDir outDir(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(outDir.path());
    for (const auto& [name, image] : mainwindow::frameparts::drawRasters(artRoot)) {
        const QString out = outDir.filePath(QLatin1String(name) + QStringLiteral(".argb"));
        QFile raw(out);
        const auto bytes = qint64(image.sizeInBytes());
        if (image.isNull() || image.bytesPerLine() != image.width() * 4
            || !raw.open(QIODevice::WriteOnly)
            || raw.write(reinterpret_cast<const char*>(image.constBits()), bytes) != bytes) {
            std::fprintf(stderr, "frameraster: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
