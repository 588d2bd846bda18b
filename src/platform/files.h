#pragma once
// The one place that reads and writes the game's own files. Every file is
// opened without following a symbolic link and without blocking, and used
// only when it is a regular file: a link, a FIFO or a device planted under a
// name of the game's is refused (ELOOP, EINVAL), never written through or
// waited on.
//
// The ways the game writes:
// - replace: the whole file anew, written under a fresh name in the same
//   folder and renamed over the old one, so that a reader or a crash meets
//   the old file or the new one, never half of one. When the folder takes no
//   new file but the file itself may be written (a read-only program folder
//   with a writable settings file), the file is written in place.
// - createNew: a file that was not there, written whole under a fresh name
//   and then given its own name only while no file, folder or link has it
//   (EEXIST otherwise): a copy never overwrites and is never seen half made.
// - append: bytes added at the end, the file made when missing.
// - openForOverwrite + writeAllAt: a file rewritten in place under a lock of
//   the caller's (the temporary files the music player holds open).
// Failures return false with errno set; the callers decide what they mean.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <initializer_list>

class QFile;
class QIODevice;

namespace files {

// Opens a regular file for reading into `file`; false with errno set when it
// is missing or no regular file. A file of the game's own is never read
// through a link; a file the player chose (a picture) may be a link to one.
enum class Links { Refuse, Follow };
bool openForReading(QFile& file, const QString& path, Links links = Links::Refuse);
// The file's bytes; false when it is missing, no regular file or unreadable,
// or longer than `limit` (EFBIG): at most limit + 1 bytes are read, whatever
// size the file system reports.
inline constexpr qint64 kDefaultReadLimit = 64ll << 20;
// What is left of the device from where it stands, at most limit + 1 bytes,
// read in pieces (a short file costs a short buffer); false when reading
// failed (EIO, nothing kept) or there was more than `limit` (EFBIG, the first
// `limit` bytes kept).
bool readAtMost(QIODevice& device, qint64 limit, QByteArray& bytes);
bool readRegular(const QString& path, QByteArray& bytes, qint64 limit = kDefaultReadLimit);

bool replace(const QString& path, std::initializer_list<QByteArrayView> parts);
inline bool replace(const QString& path, QByteArrayView bytes) { return replace(path, {bytes}); }

bool createNew(const QString& path, QByteArrayView bytes);

bool append(const QString& path, QByteArrayView bytes);

// Opens a regular file for writing, making it with `mode` when missing; a
// file descriptor, or -1 with errno set.
int openForOverwrite(const QString& path, int mode);
// Truncates the open file and writes the bytes from its start; false with
// errno set when a write fails.
bool writeAllAt(int fd, QByteArrayView bytes);

// One read-modify-write of a file of the game's, kept apart from that of
// another copy of the game on the same folder (a player starting it twice)
// and of another thread: an advisory lock (flock) on a lock file that stands
// for the folder that holds the file, held while the object lives. The lock
// file lies in the user's own runtime (or cache) folder, so another account
// that can read the folder can neither take nor hold it. Everything read under
// the lock is what the last writer left. The same thread may take it again
// inside (the inner one then adds nothing). A lock file that cannot be made,
// or a lock not had within five seconds (a copy of the player's hung while it
// held it), leaves the write unlocked rather than lost.
class FolderLock {
public:
    explicit FolderLock(const QString& fileInFolder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    // Whether the lock is held (by this object or an outer one of the thread).
    bool held() const { return held_; }

private:
    QByteArray folder_;
    bool held_ = false;
};

// A claim on a file of the game's for as long as the object lives, for one
// copy of the game at a time (the saved game that copy plays): taken at once
// or not at all, on a lock file of the player's own as FolderLock's.
class PathClaim {
public:
    explicit PathClaim(const QString& path);
    ~PathClaim();
    PathClaim(const PathClaim&) = delete;
    PathClaim& operator=(const PathClaim&) = delete;
    // Whether this copy holds it; whether another copy does (neither when no
    // lock file could be made).
    bool held() const { return fd_ >= 0; }
    bool heldByAnother() const { return another_; }

private:
    int fd_ = -1;
    bool another_ = false;
};

}  // namespace files
