#pragma once
// Keeping the player's own pictures in the "pics" folder: finding a picture
// already there by its bytes (one pasted or dropped twice is stored once),
// renaming one and taking one away. The square chosen of a picture goes
// with it when renamed and is forgotten when it is taken away.

#include <QByteArray>
#include <QString>

namespace pictures {

// The name of a picture of the folder, of an ending the game plays, whose
// bytes are exactly these; empty when there is none.
QString sameBytes(const QString& folder, const QByteArray& bytes);

enum class Renaming {
    Renamed,
    Invalid,  // empty, a path, hidden, too long, or not of an ending the game plays
    Taken,    // a file of that name is there
    Failed,   // the file system refused
};

// Renames the picture `from` of the folder to `to` (both plain names).
// Nothing is ever overwritten.
Renaming renamePicture(const QString& folder, const QString& from, const QString& to);

enum class Removal {
    Trashed,  // in the desktop's trash
    NoTrash,  // there is no trash for it here; the file is untouched
    Failed,
};

// Moves the picture into the desktop's trash (services::Seams::moveToTrash).
Removal trashPicture(const QString& folder, const QString& name);
// Deletes the picture for good.
bool deletePicture(const QString& folder, const QString& name);

}  // namespace pictures
