// Renders the application icon (an SVG) as square PNGs for the hicolor icon
// theme: render_icon <icon.svg> <output folder> <size>...
// writes <output folder>/<size>x<size>/apps/tavoro.png for each size.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: render_icon <icon.svg> <output folder> <size>...\n");
        return 2;
    }
    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    for (int i = 3; i < args.size(); ++i) {
        const int size = args[i].toInt();
        if (size <= 0 || size > 1024) {
            std::fprintf(stderr, "render_icon: bad size %s\n", qPrintable(args[i]));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/tavoro.png"))) {
            std::fprintf(stderr, "render_icon: cannot write into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
