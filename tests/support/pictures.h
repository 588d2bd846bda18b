#pragma once
// Small picture files made in the tests.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

namespace testsupport {

// A picture of one colour.
inline QImage filledPicture(int w, int h, QColor colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// The picture in the file format given ("JPEG", "PNG", "BMP", "WEBP").
inline QByteArray encodePicture(const QImage& img, const char* format, int quality = 90)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format, quality);
    return bytes;
}

// A PNG header that claims width x height, with a few bytes of picture data.
inline QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    auto chunk = [&](const QByteArray& type, const QByteArray& data) {
        QByteArray len(4, '\0');
        qToBigEndian<quint32>(quint32(data.size()), len.data());
        QByteArray crcPart = type + data;
        // CRC-32 as PNG wants it.
        quint32 crc = 0xffffffffu;
        for (char ch : crcPart) {
            crc ^= quint8(ch);
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
        QByteArray crcBytes(4, '\0');
        qToBigEndian<quint32>(crc ^ 0xffffffffu, crcBytes.data());
        png += len + crcPart + crcBytes;
    };
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(width, ihdr.data());
    qToBigEndian<quint32>(height, ihdr.data() + 4);
    ihdr[8] = 8;  // bit depth
    ihdr[9] = 2;  // RGB
    chunk("IHDR", ihdr);
    chunk("IDAT", QByteArray::fromHex("789c63000000010001"));
    chunk("IEND", {});
    return png;
}

// The picture as a progressive JPEG.
inline QByteArray progressiveJpeg(const QImage& img)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(img);
    return bytes;
}

// A progressive JPEG whose frame header claims width x height with every
// colour at full resolution; its scans are those of a small picture. A
// decoder keeps the coefficients of the whole claimed picture (two bytes a
// sample, three samples a pixel): a file of a few kilobytes asks for
// gigabytes.
inline QByteArray progressiveJpegClaiming(quint16 width, quint16 height)
{
    QImage img(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) & 0xFF));
    QByteArray bytes = progressiveJpeg(img);
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC2", 2));
    if (sof < 0)
        return {};
    qToBigEndian<quint16>(height, bytes.data() + sof + 5);
    qToBigEndian<quint16>(width, bytes.data() + sof + 7);
    for (int c = 0; c < quint8(bytes[sof + 9]); ++c)
        bytes[sof + 11 + 3 * c] = 0x11;
    return bytes;
}

// A JPEG with an Exif orientation mark (1 upright, 3 upside down, 6 turned
// a quarter clockwise to stand upright, 8 a quarter anticlockwise).
inline QByteArray jpegWithOrientation(const QImage& img, quint16 orientation)
{
    const QByteArray jpeg = encodePicture(img, "JPEG", 95);
    // Big-endian TIFF header, one IFD entry: 0x0112 SHORT 1 <orientation>.
    QByteArray tiff = QByteArray::fromHex("4d4d002a00000008" "0001" "0112000300000001");
    QByteArray value(4, '\0');
    qToBigEndian<quint16>(orientation, value.data());
    tiff += value + QByteArray(4, '\0');
    const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray app1 = QByteArray::fromHex("ffe1");
    QByteArray length(2, '\0');
    qToBigEndian<quint16>(quint16(exif.size() + 2), length.data());
    app1 += length + exif;
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

}  // namespace testsupport
