#pragma once
// The resources that travel inside the program, addressed by type and number
// (BITMAP 101-115 wallpaper tiles, BITMAP 201-216 pictures, WAV 101-110,
// MIDI 1001-1006, CUSTOM 1000 language table). They are compiled in from
// resources/<TYPE>/<number>.<ext>; type names match without regard to case.
// Tests put their own small ones under another root (services::Seams).

#include <QByteArray>
#include <QImage>
#include <QString>

namespace resources {

// The resource path (":/BITMAP/201.bmp"), or empty when there is none.
QString path(const QString& type, int number);

// The resource's bytes; Resource not found (326) when there is none.
QByteArray load(const QString& type, int number);

// A BITMAP resource as a picture; 326 when missing, Invalid picture (481)
// when its data is no picture.
QImage loadBitmap(int number);

// BMP data as a picture, read as BMP only: a null image when it is none.
// Qt's own reader asks every image plug-in whether it knows the data, and so
// loads them all, before it takes a named format built into Qt; this one
// loads none.
QImage readBmp(const QByteArray& bytes);

}  // namespace resources

namespace ModResFiles {

// Writes the resource's bytes to the file, replacing what it held; returns 0.
// A file that is in use (locked by the music player) or may not be written
// ends the write silently and keeps its contents; other failures go to the
// error service under "ModResFiles" / "SaveResItemToDisk". The last part of
// the path is never followed when it is a link. A path that is not absolute
// (no temporary folder could be had) is not written.
int32_t SaveResItemToDisk(int16_t number, const QString& type, const QString& filePath);

}  // namespace ModResFiles

namespace Allgemein {

// The user's temporary folder, ending in a separator: a private folder of
// this user's, so that the fixed names written there ("~tmp.lng",
// "~tmp.mid") cannot be planted by another user. It is $XDG_RUNTIME_DIR/tavoro
// when the runtime folder is set; else $TMPDIR/tavoro-<uid> when that is the
// user's own (mode 0700, no link); else, when someone else holds that name, a
// fresh folder $TMPDIR/tavoro-<uid>-XXXXXX, the same for the rest of the run.
// A folder of ours that others could write is closed and emptied before it is
// used. A $TMPDIR that does not exist, while no runtime folder serves, is
// reported once as Path not found (76) and /tmp is used in its place.
QString GetTempDir();

// The text up to, not including, its first NUL; the whole text without one.
QString TrimNull(const QString& text);

}  // namespace Allgemein
