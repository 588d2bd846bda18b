// Rasterises the window artwork the game shows at start-up, at build time.
//   artraster <manifest> <art folder> <output folder>
// Each line of the manifest names an SVG under the art folder and its size in
// pixels ("toolbar/start.svg 28x28"); blank lines and lines starting with '#'
// are left out. Every one is rendered at pixel ratio 1 and 2, by the game's own
// rendering function, to <output folder>/<name>@<w>x<h>@1.argb (raw pixels)
// and @2.png, the resource paths the game looks for (src/widgets/art_render.h).

#include "widgets/art_render.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "artraster: %s\n", qPrintable(message));
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // Fonts and painting need a GUI application; no screen is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4)
        return fail(QStringLiteral("usage: artraster <manifest> <art folder> <output folder>"));
    const QString manifestPath = QString::fromLocal8Bit(argv[1]);
    const QDir artDir(QString::fromLocal8Bit(argv[2]));
    const QDir outDir(QString::fromLocal8Bit(argv[3]));

    QFile manifest(manifestPath);
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("cannot read %1").arg(manifestPath));
    static const QRegularExpression line(QStringLiteral(R"(^(\S+)\.svg\s+(\d+)x(\d+)$)"));
    QTextStream in(&manifest);
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString text = in.readLine().trimmed();
        ++lineNumber;
        if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
            continue;
        const QRegularExpressionMatch m = line.match(text);
        if (!m.hasMatch())
            return fail(QStringLiteral("%1:%2: expected \"<name>.svg <w>x<h>\"")
                            .arg(manifestPath)
                            .arg(lineNumber));
        const QString name = m.captured(1);
        const QSize size(m.captured(2).toInt(), m.captured(3).toInt());
        const QString svg = artDir.filePath(name + QStringLiteral(".svg"));
        for (const int dpr : {1, 2}) {
            const QImage image = widgets::renderSvgArt(svg, size, dpr);
            if (image.isNull())
                return fail(QStringLiteral("cannot render %1").arg(svg));
            const QString out = outDir.filePath(QStringLiteral("%1@%2x%3@%4.%5")
                                                    .arg(name)
                                                    .arg(size.width())
                                                    .arg(size.height())
                                                    .arg(dpr)
                                                    .arg(dpr == 1 ? "argb" : "png"));
            QDir().mkpath(QFileInfo(out).absolutePath());
            // At ratio 1, what most screens show at every start, the raw
            // premultiplied pixels (this machine's byte order, rows without
            // padding): nothing to decode, for some 600 KiB more in the
            // program. The four times larger rasters of ratio 2 stay PNG.
            if (dpr == 1) {
                QFile raw(out);
                const auto bytes = qint64(image.sizeInBytes());
                if (image.bytesPerLine() != image.width() * 4 || !raw.open(QIODevice::WriteOnly)
                    || raw.write(reinterpret_cast<const char*>(image.constBits()), bytes) != bytes)
                    return fail(QStringLiteral("cannot write %1").arg(out));
            } else if (!image.save(out, "PNG")) {
                return fail(QStringLiteral("cannot write %1").arg(out));
            }
        }
    }
    return 0;
}
