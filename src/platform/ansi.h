#pragma once
// Every file the game reads or writes is single-byte Windows-1252 text with
// CR LF line ends. These two convert at the edge, through the C library's
// iconv, so a file written on Windows reads the same here and the other way round.

#include <QByteArray>
#include <QString>

namespace ansi {

// Windows-1252 bytes to Unicode. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of
// the same number, as Windows does.
QString fromAnsi(const QByteArray& bytes);

// Unicode to Windows-1252 bytes; a character the code page lacks becomes "?".
QByteArray toAnsi(const QString& text);

}  // namespace ansi
