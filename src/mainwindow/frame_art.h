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

// What each piece of a side is drawn from: the side artwork without the
// beads that lie outside the piece (the game), or the whole side artwork (a
// check that leaving them out changes nothing).
enum class SidePieces { Trimmed, Whole };

// The frame at `size` around `opening` (in the same pixels); without an
// opening the border is 31/300 of the size on every side.
QImage renderFrame(QSize size, const QRectF& opening, qreal devicePixelRatio,
                   const QString& artRoot, SidePieces pieces = SidePieces::Trimmed);

}  // namespace mainwindow
