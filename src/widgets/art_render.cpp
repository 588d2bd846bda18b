#include "widgets/art_render.h"

#include "widgets/seams.h"

#include <QResource>
#include <QPainter>
#include <QSvgRenderer>

#include <cstring>

namespace widgets {

QImage renderSvgArt(const QString& path, QSize size, qreal devicePixelRatio)
{
    if (size.isEmpty())
        return {};
    seams().svgRendered(path, size);
    QSvgRenderer svg(path);
    if (!svg.isValid())
        return {};
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QString artRasterPath(const QString& path, QSize size, qreal devicePixelRatio)
{
    static const QString artPrefix = QStringLiteral(":/art/");
    static const QString svgSuffix = QStringLiteral(".svg");
    if (!path.startsWith(artPrefix) || !path.endsWith(svgSuffix))
        return {};
    const QStringView name = QStringView(path).sliced(
        artPrefix.size(), path.size() - artPrefix.size() - svgSuffix.size());
    // Ratio 1 as raw premultiplied ARGB pixels, the others as PNG.
    return QStringLiteral(":/art-raster/%1@%2x%3@%4.%5")
        .arg(name)
        .arg(size.width())
        .arg(size.height())
        .arg(devicePixelRatio)
        .arg(devicePixelRatio == 1.0 ? QStringLiteral("argb") : QStringLiteral("png"));
}

bool hasArtRaster(const QString& path, QSize size, qreal devicePixelRatio)
{
    const QString raster = artRasterPath(path, size, devicePixelRatio);
    return !raster.isEmpty() && QResource(raster).isValid();
}

QImage renderArtImage(const QString& path, QSize size, qreal devicePixelRatio)
{
    if (size.isEmpty())
        return {};
    const QString raster = artRasterPath(path, size, devicePixelRatio);
    // Read where the resource lies in the program, without a file's overhead
    // (the build stores the rasters uncompressed: no copy).
    const QResource resource(raster.isEmpty() ? QString() : raster);
    if (resource.isValid()) {
        QImage image;
        const QSize pixels = size * devicePixelRatio;
        if (raster.endsWith(QLatin1String(".argb"))) {
            // Nothing to decode: the pixels are copied as they lie.
            const QByteArray bytes = resource.uncompressedData();
            if (bytes.size() == qsizetype(pixels.width()) * pixels.height() * 4) {
                image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
                std::memcpy(image.bits(), bytes.constData(), size_t(bytes.size()));
            }
        } else {
            image = QImage::fromData(resource.uncompressedData(), "PNG");
        }
        if (image.size() == pixels) {
            image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(devicePixelRatio);
            return image;
        }
    }
    return renderSvgArt(path, size, devicePixelRatio);
}

}  // namespace widgets
