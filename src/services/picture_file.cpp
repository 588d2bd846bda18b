#include "services/picture_file.h"

#include "errors/failure.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>

namespace pictures {

namespace {

[[noreturn]] void invalidPicture()
{
    errors::raise(errors::ErrInvalidPicture);
}

// A JPEG file that ends before its end marker: the JPEG reader tells of that
// only by a warning on the process's message log and fills the missing rows
// with grey, so the file is looked at instead. The segments before the first
// scan are stepped over by their lengths (an embedded thumbnail holds markers
// of its own); after it, scan data hold no end marker but the real one.
bool jpegCutShort(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    const auto byte = [&](qsizetype at) { return static_cast<unsigned char>(data[at]); };
    if (data.size() < 2 || byte(0) != 0xFF || byte(1) != 0xD8)
        return false;  // no JPEG
    qsizetype pos = 2;
    for (;;) {
        while (pos < data.size() && byte(pos) == 0xFF && pos + 1 < data.size() && byte(pos + 1) == 0xFF)
            ++pos;  // fill bytes
        if (pos + 4 > data.size() || byte(pos) != 0xFF)
            return true;
        const unsigned char marker = byte(pos + 1);
        const qsizetype length = (qsizetype(byte(pos + 2)) << 8) | byte(pos + 3);
        if (marker == 0xD9)
            return false;  // ends before any scan: the reader says so itself
        pos += 2 + length;
        if (marker == 0xDA)
            break;
    }
    for (; pos + 1 < data.size(); ++pos)
        if (byte(pos) == 0xFF && byte(pos + 1) == 0xD9)
            return false;
    return true;
}

// A bitmap file shorter than its header says: its last rows are missing.
bool bitmapCutShort(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(54);
    if (head.size() < 2 || !head.startsWith("BM"))
        return false;
    if (head.size() < 34)
        return true;
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(head.constData() + at); };
    const auto i32 = [&](int at) { return qFromLittleEndian<qint32>(head.constData() + at); };
    const qint64 fileSize = file.size();
    const quint32 compression = u32(30);
    const qint64 bitsPerPixel = qFromLittleEndian<quint16>(head.constData() + 28);
    if (compression == 0 || compression == 3) {
        const qint64 rowBytes = (qint64(std::abs(i32(18))) * bitsPerPixel + 31) / 32 * 4;
        const qint64 needed = qint64(u32(10)) + rowBytes * std::abs(qint64(i32(22)));
        return fileSize < needed;
    }
    return qint64(u32(2)) > fileSize;
}

}  // namespace

QRect centredSquare(QSize size)
{
    const int side = std::min(size.width(), size.height());
    return {(size.width() - side) / 2, (size.height() - side) / 2, side, side};
}

QImage loadPuzzlePicture(const QString& path, int maxSide)
{
    if (!QFileInfo(path).isFile())
        errors::raise(errors::ErrFileNotFound);

    if (bitmapCutShort(path) || jpegCutShort(path))
        invalidPicture();

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    // The size comes from the file's header; nothing is decoded yet.
    const QSize full = reader.size();
    if (!full.isValid() || full.isEmpty())
        invalidPicture();
    if (qint64(full.width()) * full.height() > kMaxPicturePixels)
        invalidPicture();

    const QRect square = centredSquare(full);
    const int side = std::min(square.width(), std::max(1, maxSide));
    reader.setClipRect(square);
    reader.setScaledSize(QSize(side, side));
    reader.setAutoTransform(true);
    reader.setQuality(100);  // smooth scaling

    const QImage picture = reader.read();
    if (picture.isNull())
        invalidPicture();
    return picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace pictures
