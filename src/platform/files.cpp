#include "platform/files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// Opens without following a link (unless the caller follows them) and
// without blocking, then makes sure a regular file was opened. Blocking is
// turned on again for the writes.
int openRegular(const QByteArray& path, int flags, int mode = 0666, Links links = Links::Refuse)
{
    const int noFollow = links == Links::Refuse ? O_NOFOLLOW : 0;
    const int fd = ::open(path.constData(), flags | noFollow | O_NONBLOCK | O_CLOEXEC, mode);
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

bool openForReading(QFile& file, const QString& path, Links links)
{
    const int fd = openRegular(native(path), O_RDONLY, 0, links);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        errno = EIO;
        return false;
    }
    return true;
}

bool readAtMost(QIODevice& device, qint64 limit, QByteArray& bytes)
{
    // The size the file system reports is not trusted (a file under /proc
    // reports none, a growing one more later).
    bytes.clear();
    constexpr qint64 kPiece = 64 * 1024;
    while (bytes.size() <= limit) {
        const qint64 want = std::min(kPiece, limit + 1 - bytes.size());
        const qsizetype had = bytes.size();
        bytes.resize(had + want);
        const qint64 got = device.read(bytes.data() + had, want);
        if (got < 0) {
            bytes.clear();
            errno = EIO;
            return false;
        }
        bytes.resize(had + got);
        if (got == 0)
            break;
    }
    if (bytes.size() > limit) {
        bytes.truncate(limit);
        errno = EFBIG;
        return false;
    }
    return true;
}

bool readRegular(const QString& path, QByteArray& bytes, qint64 limit)
{
    QFile f;
    if (!openForReading(f, path))
        return false;
    if (readAtMost(f, limit, bytes))
        return true;
    bytes.clear();
    return false;
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

namespace {

// The folder locks this thread holds: descriptor and depth, by folder.
struct HeldLock {
    int fd = -1;
    int depth = 0;
};
thread_local std::map<QByteArray, HeldLock> heldLocks;

// How long a write waits for another copy's (a few milliseconds as a rule).
constexpr auto kLockPatience = std::chrono::seconds(5);

// A folder of this user's alone, made when missing: mode 0700, no link.
bool ownPrivateFolder(const QByteArray& path)
{
    ::mkdir(path.constData(), 0700);
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
        && (st.st_mode & 077) == 0;
}

// The lock file that stands for the folder: in the user's runtime folder (or
// the cache folder, where none is set), which no other account can enter, so
// that no one else can take or hold the lock of a folder they can read.
int openLockFile(const QByteArray& folder)
{
    QByteArray locks;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && ownPrivateFolder(runtime + "/tavoro-locks")) {
        locks = runtime + "/tavoro-locks";
    } else {
        const QByteArray cache =
            QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
        if (!cache.startsWith('/') || !QDir().mkpath(QFile::decodeName(cache))
            || !ownPrivateFolder(cache + "/tavoro-locks"))
            return -1;
        locks = cache + "/tavoro-locks";
    }
    const QByteArray name = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex();
    const QByteArray path = locks + '/' + name;
    const int fd = ::open(path.constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

FolderLock::FolderLock(const QString& fileInFolder)
    : folder_(native(QFileInfo(fileInFolder).absolutePath()))
{
    auto found = heldLocks.find(folder_);
    if (found != heldLocks.end()) {
        ++found->second.depth;
        held_ = true;
        return;
    }
    // Where no lock file can be made, the folder itself stands for it, as
    // far as others let it.
    int fd = openLockFile(folder_);
    if (fd < 0)
        fd = ::open(folder_.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    const auto until = std::chrono::steady_clock::now() + kLockPatience;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > until) {
            ::close(fd);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    heldLocks[folder_] = HeldLock{fd, 1};
    held_ = true;
}

FolderLock::~FolderLock()
{
    if (!held_)
        return;
    auto found = heldLocks.find(folder_);
    if (found == heldLocks.end() || --found->second.depth > 0)
        return;
    // Closing the only descriptor of the folder releases the lock.
    ::close(found->second.fd);
    heldLocks.erase(found);
}

PathClaim::PathClaim(const QString& path)
{
    const int fd = openLockFile("claim:" + native(QFileInfo(path).absoluteFilePath()));
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fd_ = fd;
        return;
    }
    another_ = errno == EWOULDBLOCK;
    ::close(fd);
}

PathClaim::~PathClaim()
{
    if (fd_ >= 0)
        ::close(fd_);
}

}  // namespace files
