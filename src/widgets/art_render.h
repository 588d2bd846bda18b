#pragma once
// The window's vector artwork made into pixels, on any thread and without
// widgets, so that the build's raster tool (tools/artraster) and the game
// render alike.
//
// The art the windows show at start-up is rasterised at build time from the
// list in resources/art/raster.txt: for ":/art/<name>.svg" at w x h pixels
// and pixel ratio d the program carries ":/art-raster/<name>@<w>x<h>@<d>.png",
// which a PNG decoder reads in a tenth of the time the SVG takes to render.

#include <QImage>
#include <QSize>
#include <QString>

namespace widgets {

// Renders the SVG file or resource at the given size in pixels times the
// device pixel ratio: premultiplied ARGB with the ratio set. A null image when
// the size is empty or the SVG cannot be read. Tests see each rendering
// (widgets::Seams::svgRendered).
QImage renderSvgArt(const QString& path, QSize size, qreal devicePixelRatio);

// The resource of the rasterised art for ":/art/<name>.svg" at the size and
// pixel ratio; empty when the path is not a program's artwork.
QString artRasterPath(const QString& path, QSize size, qreal devicePixelRatio);

// The art from its raster when the program carries one, else rendered from
// the SVG. Any thread.
QImage renderArtImage(const QString& path, QSize size, qreal devicePixelRatio);

// Whether the program carries a raster of the art at that size and ratio.
bool hasArtRaster(const QString& path, QSize size, qreal devicePixelRatio);

}  // namespace widgets
