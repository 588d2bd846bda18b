#include "mainwindow/frame_cache.h"

#include "platform/appinfo.h"
#include "platform/files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtEndian>

#include <array>
#include <cstring>

namespace mainwindow::framecache {

namespace {

// Raised whenever the drawing of the frame changes, so that no frame drawn by
// an older program is shown; every new version of the game draws its own too.
constexpr int kDrawingVersion = 1;
constexpr std::array<char, 8> kMagic{'T', 'A', 'V', 'F', 'R', 'A', 'M', '1'};
constexpr qsizetype kHeader = 16;  // magic, width, height
constexpr int kKept = 6;           // files, newest first

QString folder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/Tavoro");
}

// The frame's artwork, whose every change makes the kept frames old.
const QByteArray& artworkHash()
{
    static const QByteArray bytes = [] {
        QByteArray all;
        for (const char* path : {":/art/furniture/rahmen_seite.svg", ":/art/furniture/rahmen_ecke.svg"}) {
            QFile f(QString::fromLatin1(path));
            if (f.open(QIODevice::ReadOnly))
                all += f.readAll();
        }
        return QCryptographicHash::hash(all, QCryptographicHash::Sha1);
    }();
    return bytes;
}

}  // namespace

QString fileFor(QSize size, const QRectF& opening, qreal devicePixelRatio)
{
    const QString dir = folder();
    if (dir.isEmpty())
        return {};
    const QByteArray key = QStringLiteral("%1|%2|%3x%4|%5|%6,%7,%8,%9|")
                               .arg(kDrawingVersion)
                               .arg(appinfo::versionText())
                               .arg(size.width())
                               .arg(size.height())
                               .arg(devicePixelRatio, 0, 'g', 17)
                               .arg(opening.x(), 0, 'g', 17)
                               .arg(opening.y(), 0, 'g', 17)
                               .arg(opening.width(), 0, 'g', 17)
                               .arg(opening.height(), 0, 'g', 17)
                               .toLatin1()
        + artworkHash();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(24);
    return dir + QStringLiteral("/frame-") + QString::fromLatin1(hash) + QStringLiteral(".raw");
}

QImage load(QSize size, const QRectF& opening, qreal devicePixelRatio)
{
    const QString path = fileFor(size, opening, devicePixelRatio);
    if (path.isEmpty())
        return {};
    QFile f;
    const QSize pixels = size * devicePixelRatio;
    const qsizetype bytes = qsizetype(pixels.width()) * pixels.height() * 4;
    if (pixels.isEmpty() || !files::openForReading(f, path) || f.size() != kHeader + bytes)
        return {};
    char header[kHeader];
    if (f.read(header, kHeader) != kHeader || std::memcmp(header, kMagic.data(), kMagic.size()) != 0
        || qFromLittleEndian<qint32>(header + 8) != pixels.width()
        || qFromLittleEndian<qint32>(header + 12) != pixels.height())
        return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull() || image.bytesPerLine() != pixels.width() * 4
        || f.read(reinterpret_cast<char*>(image.bits()), bytes) != bytes)
        return {};
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

void store(const QImage& frame, QSize size, const QRectF& opening, qreal devicePixelRatio)
{
    const QString path = fileFor(size, opening, devicePixelRatio);
    const QSize pixels = size * devicePixelRatio;
    if (path.isEmpty() || frame.size() != pixels
        || frame.format() != QImage::Format_ARGB32_Premultiplied
        || frame.bytesPerLine() != pixels.width() * 4)
        return;
    const QString dir = folder();
    if (!QDir().mkpath(dir))
        return;
    // Written whole under another name first: a run that reads it meanwhile,
    // or a write cut short, never meets half a frame.
    char header[kHeader];
    std::memcpy(header, kMagic.data(), kMagic.size());
    qToLittleEndian<qint32>(pixels.width(), header + 8);
    qToLittleEndian<qint32>(pixels.height(), header + 12);
    if (!files::replace(path, {QByteArrayView(header, kHeader),
                               QByteArrayView(reinterpret_cast<const char*>(frame.constBits()),
                                              frame.sizeInBytes())}))
        return;
    // The newest few stay: one for each board size the player uses.
    const QFileInfoList kept = QDir(dir).entryInfoList({QStringLiteral("frame-*.raw")}, QDir::Files,
                                                       QDir::Time);
    for (qsizetype i = kKept; i < kept.size(); ++i)
        QFile::remove(kept[i].filePath());
}

}  // namespace mainwindow::framecache
