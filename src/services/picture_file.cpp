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

// The JPEG reader tells of a file cut short only by a warning and fills the
// missing rows with grey; that warning is caught here while a picture is read.
bool g_cutShort = false;
QtMessageHandler g_previousHandler = nullptr;

void watchForCutShort(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QLatin1String("premature end"), Qt::CaseInsensitive)) {
        g_cutShort = true;
        return;
    }
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

class CutShortWatch {
public:
    CutShortWatch()
    {
        g_cutShort = false;
        g_previousHandler = qInstallMessageHandler(watchForCutShort);
    }
    ~CutShortWatch() { qInstallMessageHandler(g_previousHandler); }
    bool cutShort() const { return g_cutShort; }
};

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

    if (bitmapCutShort(path))
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

    QImage picture;
    bool cutShort = false;
    {
        CutShortWatch watch;
        picture = reader.read();
        cutShort = watch.cutShort();
    }
    if (picture.isNull() || cutShort)
        invalidPicture();
    return picture.convertToFormat(QImage::Format_RGB32);
}

}  // namespace pictures
