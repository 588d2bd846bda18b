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

namespace files {

// Opens a regular file for reading into `file`; false with errno set when it
// is missing or no regular file.
bool openForReading(QFile& file, const QString& path);
// The file's bytes; false when it is missing, no regular file or unreadable.
bool readRegular(const QString& path, QByteArray& bytes);

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

}  // namespace files
