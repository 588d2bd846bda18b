#include "platform/files.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// Opens without following a link and without blocking, then makes sure a
// regular file was opened. Blocking is turned on again for the writes.
int openRegular(const QByteArray& path, int flags, int mode = 0666)
{
    const int fd = ::open(path.constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
    if (fd < 0)
        return -1;
    struct stat st {};
    const bool statted = ::fstat(fd, &st) == 0;
    if (!statted || !S_ISREG(st.st_mode)) {
        const int err = statted ? EINVAL : errno;
        ::close(fd);
        errno = err;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += n;
    }
    return true;
}

bool closeKeepingErrno(int fd, bool ok)
{
    const int err = errno;
    const bool closed = ::close(fd) == 0;
    if (!ok)
        errno = err;
    return ok && closed;
}

bool writeInPlace(const QByteArray& path, std::initializer_list<QByteArrayView> parts)
{
    const int fd = openRegular(path, O_WRONLY);
    if (fd < 0)
        return false;
    bool ok = ::ftruncate(fd, 0) == 0;
    for (QByteArrayView part : parts)
        ok = ok && writeAll(fd, part);
    return closeKeepingErrno(fd, ok);
}

// A fresh name beside the target, made by this call alone: the open file
// descriptor, or -1 with errno set.
int openTempBeside(const QByteArray& target, QByteArray& temp)
{
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        temp = target + '.';
        for (int i = 0; i < 6; ++i)
            temp += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    return fd;
}

// Writes the parts, makes them durable and closes the file.
bool writeAndClose(int fd, std::initializer_list<QByteArrayView> parts)
{
    bool ok = true;
    for (QByteArrayView part : parts)
        ok = ok && writeAll(fd, part);
    ok = ok && ::fsync(fd) == 0;
    return closeKeepingErrno(fd, ok);
}

}  // namespace

bool openForReading(QFile& file, const QString& path)
{
    const int fd = openRegular(native(path), O_RDONLY);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        errno = EIO;
        return false;
    }
    return true;
}

bool readRegular(const QString& path, QByteArray& bytes)
{
    QFile f;
    if (!openForReading(f, path))
        return false;
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        errno = EIO;
        return false;
    }
    return true;
}

bool replace(const QString& path, std::initializer_list<QByteArrayView> parts)
{
    const QByteArray target = native(path);
    struct stat st {};
    const bool exists = ::lstat(target.constData(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        errno = S_ISLNK(st.st_mode) ? ELOOP : EINVAL;
        return false;
    }
    // A file that may not be written is not replaced either.
    if (exists && ::access(target.constData(), W_OK) != 0)
        return false;
    QByteArray temp;
    const int fd = openTempBeside(target, temp);
    if (fd < 0) {
        if (exists && (errno == EACCES || errno == EPERM))
            return writeInPlace(target, parts);
        return false;
    }
    if (exists)
        ::fchmod(fd, st.st_mode & 07777);
    const bool ok = writeAndClose(fd, parts);
    if (ok && ::rename(temp.constData(), target.constData()) == 0)
        return true;
    const int err = errno;
    ::unlink(temp.constData());
    errno = err;
    return false;
}

bool createNew(const QString& path, QByteArrayView bytes)
{
    const QByteArray target = native(path);
    QByteArray temp;
    const int fd = openTempBeside(target, temp);
    if (fd < 0)
        return false;
    bool ok = writeAndClose(fd, {bytes});
    if (ok) {
        // A hard link takes the name only while nobody has it; where the
        // file system has no hard links, a rename that does not replace.
        ok = ::link(temp.constData(), target.constData()) == 0;
        if (!ok && (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK)) {
            ok = ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(),
                             RENAME_NOREPLACE) == 0;
            if (ok)
                return true;
        }
    }
    const int err = errno;
    ::unlink(temp.constData());
    errno = err;
    return ok;
}

bool append(const QString& path, QByteArrayView bytes)
{
    const int fd = openRegular(native(path), O_WRONLY | O_APPEND | O_CREAT);
    if (fd < 0)
        return false;
    return closeKeepingErrno(fd, writeAll(fd, bytes));
}

int openForOverwrite(const QString& path, int mode)
{
    return openRegular(native(path), O_WRONLY | O_CREAT, mode);
}

bool writeAllAt(int fd, QByteArrayView bytes)
{
    return ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes);
}

}  // namespace files
