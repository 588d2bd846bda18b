#include "services/picture_file.h"

#include "errors/failure.h"
#include "platform/files.h"
#include "services/picture_import.h"

#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QTransform>
#include <QtEndian>

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
bool jpegCutShort(const QByteArray& data)
{
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

// The memory a JPEG decoder keeps for the whole picture before it gives a
// row: a progressive JPEG (and one of several scans) holds every coefficient
// of every component, two bytes each, whatever size it is scaled down to.
// Read from the frame header; 0 for a baseline JPEG, which is decoded a few
// rows at a time, and for anything else.
qint64 jpegCoefficientBytes(QIODevice& device)
{
    const qint64 at = device.pos();
    device.seek(0);
    const QByteArray data = device.read(4 << 20);
    device.seek(at);
    const auto byte = [&](qsizetype at) { return static_cast<unsigned char>(data[at]); };
    if (data.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8)
        return 0;
    qsizetype pos = 2;
    while (pos + 4 <= data.size() && byte(pos) == 0xFF) {
        const unsigned char marker = byte(pos + 1);
        if (marker == 0xFF) {
            ++pos;  // fill byte
            continue;
        }
        const qsizetype length = (qsizetype(byte(pos + 2)) << 8) | byte(pos + 3);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8
            && marker != 0xCC;
        if (!frame) {
            if (marker == 0xDA || marker == 0xD9 || length < 2)
                return 0;
            pos += 2 + length;
            continue;
        }
        // Progressive frames: C2, C6, CA, CE.
        if ((marker & 0x03) != 0x02 || pos + 10 > data.size())
            return 0;
        const qint64 height = (qint64(byte(pos + 5)) << 8) | byte(pos + 6);
        const qint64 width = (qint64(byte(pos + 7)) << 8) | byte(pos + 8);
        const int components = byte(pos + 9);
        if (pos + 10 + 3 * qsizetype(components) > data.size())
            return 0;
        int hMax = 1, vMax = 1;
        for (int c = 0; c < components; ++c) {
            const unsigned char sampling = byte(pos + 11 + 3 * c);
            hMax = std::max(hMax, sampling >> 4);
            vMax = std::max(vMax, sampling & 0x0F);
        }
        qint64 bytes = 0;
        for (int c = 0; c < components; ++c) {
            const unsigned char sampling = byte(pos + 11 + 3 * c);
            const qint64 h = std::max(1, sampling >> 4), v = std::max(1, sampling & 0x0F);
            const qint64 blocksWide = (width * h + 8 * hMax - 1) / (8 * hMax);
            const qint64 blocksHigh = (height * v + 8 * vMax - 1) / (8 * vMax);
            // Rounded up to whole groups of the component's blocks.
            bytes += (blocksWide + h - 1) / h * h * ((blocksHigh + v - 1) / v * v) * 64 * 2;
        }
        return bytes;
    }
    return 0;
}

// A bitmap shorter than its header says: its last rows are missing.
bool bitmapCutShort(QIODevice& device)
{
    const QByteArray head = device.peek(54);
    if (head.size() < 2 || !head.startsWith("BM"))
        return false;
    if (head.size() < 34)
        return true;
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(head.constData() + at); };
    const auto i32 = [&](int at) { return qFromLittleEndian<qint32>(head.constData() + at); };
    const qint64 fileSize = device.size();
    const quint32 compression = u32(30);
    const qint64 bitsPerPixel = qFromLittleEndian<quint16>(head.constData() + 28);
    if (compression == 0 || compression == 3) {
        // Checked: a header can claim more than any file holds (a width and
        // height near 2^31 at 65535 bits a pixel).
        qint64 rowBits = 0, needed = 0;
        if (__builtin_mul_overflow(std::abs(qint64(i32(18))), bitsPerPixel, &rowBits))
            return true;
        const qint64 rowBytes = (rowBits + 31) / 32 * 4;
        if (__builtin_mul_overflow(rowBytes, std::abs(qint64(i32(22))), &needed)
            || __builtin_add_overflow(needed, qint64(u32(10)), &needed))
            return true;
        return fileSize < needed;
    }
    return qint64(u32(2)) > fileSize;
}

// How the stored pixels become the upright picture: mirrored, flipped, then
// turned a quarter clockwise, as the reader does it.
QTransform uprightTransform(QSize stored, QImageIOHandler::Transformations t)
{
    const qreal w = stored.width(), h = stored.height();
    QTransform m;
    if (t & QImageIOHandler::TransformationMirror)
        m *= QTransform(-1, 0, 0, 1, w, 0);
    if (t & QImageIOHandler::TransformationFlip)
        m *= QTransform(1, 0, 0, -1, 0, h);
    if (t & QImageIOHandler::TransformationRotate90)
        m *= QTransform(0, 1, -1, 0, h, 0);
    return m;
}

QSize uprightSize(QSize stored, QImageIOHandler::Transformations t)
{
    return (t & QImageIOHandler::TransformationRotate90) ? stored.transposed() : stored;
}

// What is read of the picture: the whole of it scaled to fit, or a square.
enum class Cut { Whole, Square };

struct Read {
    Reading reading = Reading::NotAPicture;
    QImage picture;
    QSize upright;
    QByteArray format;
};

Read readPicture(QIODevice& device, Cut cut, const Square& square, int maxSide)
{
    Read r;
    if (bitmapCutShort(device)) {
        r.reading = Reading::CutShort;
        return r;
    }
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    r.format = reader.format();
    // The size comes from the header; nothing is decoded yet.
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return r;
    // Every decode stays within kMaxDecodeBytes: the pixels the reader
    // allocates (the reader's own limit) and what a progressive JPEG keeps
    // besides them.
    allowLargePictures();
    if (qint64(stored.width()) * stored.height() > kMaxPicturePixels
        || jpegCoefficientBytes(device) > kMaxDecodeBytes) {
        r.reading = Reading::TooLarge;
        return r;
    }
    const auto transformation = reader.transformation();
    r.upright = uprightSize(stored, transformation);
    const int limit = std::max(1, maxSide);
    if (cut == Cut::Whole) {
        reader.setScaledSize(stored.scaled(QSize(limit, limit), Qt::KeepAspectRatio)
                                 .boundedTo(stored).expandedTo(QSize(1, 1)));
    } else if (square.kind == Square::Kind::Stretch) {
        const int side = std::min(limit, std::max(stored.width(), stored.height()));
        reader.setScaledSize(QSize(side, side));
    } else {
        const QRect upright = squareOf(square, r.upright);
        const QRect inStored =
            uprightTransform(stored, transformation).inverted().mapRect(QRectF(upright)).toRect();
        const int side = std::min(inStored.width(), limit);
        reader.setClipRect(inStored);
        reader.setScaledSize(QSize(side, side));
    }
    reader.setAutoTransform(true);
    reader.setQuality(100);  // smooth scaling

    // Looked at before the reader moves on in the device.
    bool cutShort = false;
    if (r.format == "jpeg") {
        const qint64 at = device.pos();
        device.seek(0);
        // As much as an own picture may be; the end marker of a larger file
        // (a small JPEG with gigabytes after it) is looked for in that.
        QByteArray head;
        files::readAtMost(device, pictures::kMaxPictureBytes, head);
        cutShort = jpegCutShort(head);
        device.seek(at);
    }
    if (!cutShort)
        r.picture = reader.read();
    if (r.picture.isNull() || cutShort) {
        r.picture = QImage();
        r.reading = Reading::CutShort;
        return r;
    }
    r.reading = Reading::Whole;
    r.picture = r.picture.convertToFormat(QImage::Format_RGB32);
    return r;
}

Read readFile(const QString& path, Cut cut, const Square& square, int maxSide)
{
    if (!QFileInfo(path).isFile())
        errors::raise(errors::ErrFileNotFound);
    // Never waits on what is no regular file (a FIFO put in its place).
    QFile file;
    if (!files::openForReading(file, path, files::Links::Follow))
        invalidPicture();
    Read r = readPicture(file, cut, square, maxSide);
    if (r.reading != Reading::Whole)
        invalidPicture();
    return r;
}

}  // namespace

QRect centredSquare(QSize size)
{
    const int side = std::min(size.width(), size.height());
    return {(size.width() - side) / 2, (size.height() - side) / 2, side, side};
}

QRect squareOf(const Square& square, QSize upright)
{
    const QRect& r = square.region;
    const bool usable = square.kind != Square::Kind::Middle && r.width() == r.height()
        && r.width() > 0 && QRect(QPoint(0, 0), upright).contains(r);
    return usable ? r : centredSquare(upright);
}

QImage loadPuzzlePicture(const QString& path, int maxSide)
{
    return loadPuzzlePicture(path, Square{}, maxSide);
}

QImage loadPuzzlePicture(const QString& path, const Square& square, int maxSide)
{
    return readFile(path, Cut::Square, square, maxSide).picture;
}

QImage loadWholePicture(const QString& path, int maxSide, QSize* upright)
{
    Read r = readFile(path, Cut::Whole, Square{}, maxSide);
    if (upright)
        *upright = r.upright;
    return r.picture;
}

Reading checkPicture(QIODevice& device, QByteArray* format, int maxSide)
{
    Read r = readPicture(device, Cut::Square, Square{}, maxSide);
    if (format)
        *format = r.format;
    return r.reading;
}

QStringList playedFormats()
{
    const QList<QByteArray> installed = QImageReader::supportedImageFormats();
    QStringList formats;
    for (const char* f : {"bmp", "jpeg", "png", "webp"})
        if (installed.contains(f))
            formats << QLatin1String(f);
    return formats;
}

QStringList playedSuffixes()
{
    QStringList suffixes;
    for (const QString& f : playedFormats()) {
        if (f == QLatin1String("jpeg"))
            suffixes << QStringLiteral("jpg") << QStringLiteral("jpeg");
        else
            suffixes << f;
    }
    return suffixes;
}

void allowLargePictures()
{
    static const bool limited = [] {
        QImageReader::setAllocationLimit(int(kMaxDecodeBytes >> 20));
        return true;
    }();
    Q_UNUSED(limited);
}

}  // namespace pictures
