// The start-up artwork rasterised at build time (resources/art/raster.txt,
// tools/artraster): every raster the program carries is the SVG's rendering
// pixel for pixel, and art without one is still rendered from its SVG.
#include "widgets/art_render.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct ManifestEntry {
    QString art;  // ":/art/..."
    QSize size;
};

std::vector<ManifestEntry> readManifest()
{
    std::vector<ManifestEntry> entries;
    QFile file(TAVORO_SOURCE_DIR "/resources/art/raster.txt");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    static const QRegularExpression line(QStringLiteral(R"(^(\S+\.svg)\s+(\d+)x(\d+)$)"));
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString text = in.readLine().trimmed();
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        const QRegularExpressionMatch m = line.match(text);
        EXPECT_TRUE(m.hasMatch()) << qPrintable(text);
        entries.push_back({QStringLiteral(":/art/") + m.captured(1),
                           QSize(m.captured(2).toInt(), m.captured(3).toInt())});
    }
    return entries;
}

}  // namespace

// A stale raster (the SVG changed, the build did not notice) or one of the
// wrong size or format shows here.
TEST(ArtRaster, EveryRasterIsTheSvgsRenderingPixelForPixel)
{
    const std::vector<ManifestEntry> entries = readManifest();
    ASSERT_GE(entries.size(), 24u);
    for (const ManifestEntry& e : entries) {
        for (const qreal dpr : {1.0, 2.0}) {
            SCOPED_TRACE(testing::Message() << qPrintable(e.art) << " @" << dpr);
            ASSERT_TRUE(widgets::hasArtRaster(e.art, e.size, dpr));
            const QImage raster = widgets::renderArtImage(e.art, e.size, dpr);
            const QImage svg = widgets::renderSvgArt(e.art, e.size, dpr);
            ASSERT_EQ(raster.size(), e.size * dpr);
            EXPECT_EQ(raster.format(), QImage::Format_ARGB32_Premultiplied);
            EXPECT_EQ(raster.devicePixelRatio(), dpr);
            EXPECT_TRUE(raster == svg);
        }
    }
}

TEST(ArtRaster, ArtWithoutARasterIsRenderedFromItsSvg)
{
    EXPECT_EQ(widgets::artRasterPath(":/art/toolbar/start.svg", QSize(28, 28), 2),
              ":/art-raster/toolbar/start@28x28@2.png");
    EXPECT_EQ(widgets::artRasterPath(":/art/toolbar/start.svg", QSize(28, 28), 1),
              ":/art-raster/toolbar/start@28x28@1.argb");
    EXPECT_EQ(widgets::artRasterPath("/elsewhere/start.svg", QSize(28, 28), 1), "");
    const struct {
        const char* art;
        QSize size;
        qreal dpr;
    } cases[] = {
        {":/art/toolbar/start.svg", {28, 28}, 1.5},        // another pixel ratio
        {":/art/furniture/kommode.svg", {300, 114}, 1.0},  // another size
        {":/art/furniture/rahmen_ecke.svg", {31, 31}, 1.0},  // art never rasterised
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.art);
        EXPECT_FALSE(widgets::hasArtRaster(c.art, c.size, c.dpr));
        const QImage image = widgets::renderArtImage(c.art, c.size, c.dpr);
        EXPECT_EQ(image.size(), (QSizeF(c.size) * c.dpr).toSize());
        EXPECT_TRUE(image == widgets::renderSvgArt(c.art, c.size, c.dpr));
    }
    EXPECT_TRUE(widgets::renderArtImage(":/art/none.svg", QSize(10, 10), 1).isNull());
    EXPECT_TRUE(widgets::renderArtImage(":/art/toolbar/start.svg", QSize(), 1).isNull());
}
