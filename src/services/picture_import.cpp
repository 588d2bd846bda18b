#include "services/picture_import.h"

#include "platform/files.h"
#include "services/picture_file.h"
#include "services/picture_folder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

#include <cerrno>
#include <sys/stat.h>

namespace pictures {

namespace {

// Long enough for any name a camera or a browser gives, short enough for
// every file system (255 bytes, with room for " (99).jpeg").
constexpr int kMaxBaseLength = 120;

bool taken(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// The folder exists, is a real folder (no link) and is ours to write.
bool folderReady(const QString& folder)
{
    const QFileInfo info(folder);
    if (info.isSymLink())
        return false;
    if (!info.exists() && !QDir().mkpath(folder))
        return false;
    return QFileInfo(folder).isDir() && QFileInfo(folder).isWritable();
}

// The ending the game lists for a reader's type.
QString suffixFor(const QByteArray& format, const QString& current)
{
    const QString lower = current.toLower();
    if (format == "jpeg")
        return lower == QLatin1String("jpg") || lower == QLatin1String("jpeg") ? current
                                                                               : QStringLiteral("jpg");
    return lower == QLatin1String(format) ? current : QString::fromLatin1(format);
}

// The name a copy gets, before numbering.
QString nameFor(const QString& source, const QByteArray& format)
{
    const QFileInfo info(source);
    QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    // A name the settings and the kept game store in a line of their own:
    // control characters (a line break, a tab) become blanks.
    for (QChar& c : base)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    while (base.startsWith(QLatin1Char('.')))
        base.remove(0, 1);  // no hidden files
    base = base.left(kMaxBaseLength).trimmed();
    if (base.isEmpty())
        base = QStringLiteral("picture");
    return base + QLatin1Char('.') + suffixFor(format, info.suffix());
}

Intake write(const QString& folder, const QString& wanted, const QByteArray& bytes)
{
    if (!folderReady(folder))
        return {Refusal::FolderNotWritable, {}};
    if (const QString same = sameBytes(folder, bytes); !same.isEmpty())
        return {Refusal::None, same, true};
    // Another program may take a name between the look and the write.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = freeName(folder, wanted);
        if (files::createNew(folder + QLatin1Char('/') + name, bytes))
            return {Refusal::None, name};
        if (errno != EEXIST)
            break;
    }
    return {Refusal::FolderNotWritable, {}};
}

Refusal refusalOf(Reading reading)
{
    switch (reading) {
    case Reading::Whole: return Refusal::None;
    case Reading::NotAPicture: return Refusal::NotAPicture;
    case Reading::CutShort: return Refusal::Damaged;
    case Reading::TooLarge: return Refusal::TooLarge;
    }
    return Refusal::NotAPicture;
}

}  // namespace

QString freeName(const QString& folder, const QString& wanted)
{
    if (!taken(folder + QLatin1Char('/') + wanted))
        return wanted;
    const QFileInfo info(wanted);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 2;; ++n) {
        const QString name = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
        if (!taken(folder + QLatin1Char('/') + name))
            return name;
    }
}

Intake addPictureFile(const QString& source, const QString& folder)
{
    const QFileInfo info(source);
    if (info.isDir())
        return {Refusal::NotAPicture, {}};
    if (!info.exists())
        return {Refusal::Unreadable, {}};
    if (info.size() > kMaxPictureBytes)
        return {Refusal::TooLarge, {}};
    // A FIFO or a device is no picture, and is never waited on.
    QFile file;
    if (!files::openForReading(file, source, files::Links::Follow))
        return {errno == EINVAL ? Refusal::NotAPicture : Refusal::Unreadable, {}};
    // Read up to the limit whatever size the file reports (one under /proc
    // reports none).
    QByteArray bytes;
    if (!files::readAtMost(file, kMaxPictureBytes, bytes))
        return {errno == EFBIG ? Refusal::TooLarge : Refusal::Unreadable, {}};

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QByteArray format;
    const Refusal refusal = refusalOf(checkPicture(buffer, &format));
    if (refusal != Refusal::None)
        return {refusal, {}};
    if (!playedFormats().contains(QString::fromLatin1(format)))
        return {Refusal::NotAPicture, {}};
    return write(folder, nameFor(source, format), bytes);
}

Intake addPictureImage(const QImage& image, const QString& folder, const QString& baseName)
{
    if (image.isNull())
        return {Refusal::NotAPicture, {}};
    if (qint64(image.width()) * image.height() > kMaxPicturePixels)
        return {Refusal::TooLarge, {}};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "png").write(image))
        return {Refusal::NotAPicture, {}};
    return write(folder, nameFor(baseName + QStringLiteral(".png"), "png"), bytes);
}

}  // namespace pictures
