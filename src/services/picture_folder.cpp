#include "services/picture_folder.h"

#include "services/picture_file.h"
#include "services/picture_square.h"
#include "services/seams.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace pictures {

namespace {

QString pathOf(const QString& folder, const QString& name)
{
    return folder + QLatin1Char('/') + name;
}

bool played(const QString& name)
{
    return playedSuffixes().contains(QFileInfo(name).suffix().toLower());
}

bool plainName(const QString& name)
{
    return !name.trimmed().isEmpty() && name == name.trimmed() && !name.startsWith(QLatin1Char('.'))
        && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0))
        && QFile::encodeName(name).size() <= 255 && !QFileInfo(name).completeBaseName().isEmpty();
}

// The square goes with the picture, or is forgotten with it.
void moveSquare(const QString& folder, const QString& from, const QString& to)
{
    const Square square = storedSquare(pathOf(folder, from));
    if (square == Square{})
        return;
    if (!to.isEmpty())
        storeSquare(pathOf(folder, to), square);
    storeSquare(pathOf(folder, from), Square{});
}

}  // namespace

QString sameBytes(const QString& folder, const QByteArray& bytes)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& info : entries) {
        if (info.size() != bytes.size() || !played(info.fileName()) || info.isSymLink())
            continue;
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly) && file.readAll() == bytes)
            return info.fileName();
    }
    return {};
}

Renaming renamePicture(const QString& folder, const QString& from, const QString& to)
{
    if (!plainName(to) || !played(to) || !plainName(from))
        return Renaming::Invalid;
    if (to == from)
        return Renaming::Renamed;
    const QByteArray a = QFile::encodeName(pathOf(folder, from));
    const QByteArray b = QFile::encodeName(pathOf(folder, to));
    // Never over a file of that name, even one made a moment before.
    int done = ::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE);
    if (done != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system that cannot promise it: looked at first.
        struct stat st {};
        if (::lstat(b.constData(), &st) == 0)
            return Renaming::Taken;
        done = ::rename(a.constData(), b.constData());
    }
    if (done != 0)
        return errno == EEXIST ? Renaming::Taken : Renaming::Failed;
    moveSquare(folder, from, to);
    return Renaming::Renamed;
}

Removal trashPicture(const QString& folder, const QString& name)
{
    const QString path = pathOf(folder, name);
    if (!QFileInfo::exists(path))
        return Removal::Failed;
    if (!services::seams().moveToTrash(path))
        return QFileInfo::exists(path) ? Removal::NoTrash : Removal::Failed;
    moveSquare(folder, name, {});
    return Removal::Trashed;
}

bool deletePicture(const QString& folder, const QString& name)
{
    if (!QFile::remove(pathOf(folder, name)))
        return false;
    moveSquare(folder, name, {});
    return true;
}

}  // namespace pictures
