#pragma once
// The gilded picture frame drawn from its artwork: one side
// (furniture/rahmen_seite.svg) and one corner (furniture/rahmen_ecke.svg)
// under `artRoot` (":/art" in the game). Each side is as thick as the space
// between the frame's edge and the opening; the ends, the shell in the middle
// and as many bead lengths as the side needs are drawn at that thickness, so
// the ornaments keep their shape at any size. Qt GUI only, so that the
// artwork tools can draw the same frame.

#include <QImage>
#include <QRectF>
#include <QString>

namespace mainwindow {

// How a side is drawn: each piece from the side artwork without the beads
// that lie outside it, the bead lengths rendered once and copied (the game);
// or each piece from the whole side artwork and rendered in its place (a
// check that neither changes a pixel).
enum class SidePieces { Trimmed, Whole };

// The frame at `size` around `opening` (in the same pixels); without an
// opening the border is 31/300 of the size on every side.
QImage renderFrame(QSize size, const QRectF& opening, qreal devicePixelRatio,
                   const QString& artRoot, SidePieces pieces = SidePieces::Trimmed);

}  // namespace mainwindow
