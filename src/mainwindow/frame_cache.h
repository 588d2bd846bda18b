#pragma once
// The drawn picture frame kept between runs: drawing it from its artwork is
// the largest drawing of the room's first paint (some 15 ms of processor time
// at full-screen size, on a machine that has few cores to spare while the
// windows are built). It is kept in the player's cache folder
// ($XDG_CACHE_HOME/Tavoro, else ~/.cache/Tavoro), one file for each frame
// size, opening, pixel ratio, version of the game and of the artwork, as raw
// pixels that are read back at no cost. A file that does not fit is drawn
// anew; a cache folder that cannot be written to only means drawing it every
// time. The newest few are kept.

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

namespace mainwindow::framecache {

// The frame kept for these, or a null image.
QImage load(QSize size, const QRectF& opening, qreal devicePixelRatio);

// Keeps the frame drawn for these for the next run. Silent when it cannot.
void store(const QImage& frame, QSize size, const QRectF& opening, qreal devicePixelRatio);

// The file that holds (or would hold) the frame for these.
QString fileFor(QSize size, const QRectF& opening, qreal devicePixelRatio);

}  // namespace mainwindow::framecache
