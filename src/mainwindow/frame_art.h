#pragma once
// The gilded picture frame drawn from its artwork: one side
// (furniture/rahmen_seite.svg) and one corner (furniture/rahmen_ecke.svg)
// under `artRoot` (":/art" in the game). Each side is as thick as the space
// between the frame's edge and the opening; the ends, the shell in the middle
// and as many bead lengths as the side needs are drawn at that thickness, so
// the ornaments keep their shape at any size. The game puts it together from
// rasters of these pieces made at build time (frame_raster.cpp). Qt GUI only,
// so that the artwork tools can draw the same frame.

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QString>

#include <array>

namespace mainwindow {

// How the frame is drawn: put together from rasters of its pieces made at
// build time (the game; drawn as Trimmed where they do not serve: a side
// thicker than the rasters or too short for its ornaments); each piece from
// the side artwork without the beads that lie outside it, the bead lengths
// rendered once and copied; or each piece from the whole side artwork and
// rendered in its place (a check that Trimmed changes no pixel).
enum class SidePieces { Rasters, Trimmed, Whole };

// The frame at `size` around `opening` (in the same pixels); without an
// opening the border is 31/300 of the size on every side.
QImage renderFrame(QSize size, const QRectF& opening, qreal devicePixelRatio,
                   const QString& artRoot, SidePieces pieces = SidePieces::Rasters);

// The same frame as the four bands around its opening (top, right, bottom,
// left, clockwise), which together hold all of it: what a window keeps of the
// frame, without the opening's transparent pixels. Each band at its place in
// device pixels, and of the device pixel ratio asked for.
struct FrameBands {
    std::array<QImage, 4> band;
    std::array<QPoint, 4> at;
};
FrameBands renderFrameBands(QSize size, const QRectF& opening, qreal devicePixelRatio,
                            const QString& artRoot);

}  // namespace mainwindow
