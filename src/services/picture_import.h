#pragma once
// Pictures the player brings into the "pics" folder: a file chosen, dropped
// or pasted. Each is checked as the game would read it before anything is
// written, then copied whole under a name that no file of the folder has yet
// (files::createNew): nothing is ever overwritten, nothing half copied is
// left behind, and nothing is written outside the folder. A folder that is a
// symbolic link is not written into. A picture whose bytes a picture of the
// folder has already is not written again: that one is named instead.

#include <QImage>
#include <QString>

namespace pictures {

// Files larger than this are refused unread.
constexpr qint64 kMaxPictureBytes = 200LL * 1024 * 1024;

// Why a picture was not added.
enum class Refusal {
    None,               // added
    NotAPicture,        // no BMP, JPEG, PNG or WebP picture (or a folder)
    Damaged,            // cut short or broken inside
    TooLarge,           // too many pixels or bytes
    Unreadable,         // the file cannot be read
    FolderNotWritable,  // the "pics" folder cannot be made or written
};

struct Intake {
    Refusal refusal = Refusal::None;
    QString name;           // the name in the folder when added
    bool existing = false;  // the same bytes were there already, under `name`
};

// Copies the picture file into the folder. The name is the file's own,
// its ending made one the game lists ("scan.jfif" holding a JPEG becomes
// "scan.jpg"), numbered "name (2).jpg", "name (3).jpg", ... while taken.
Intake addPictureFile(const QString& source, const QString& folder);

// Stores the picture in the folder as a PNG file named `baseName` + ".png"
// (numbered while taken).
Intake addPictureImage(const QImage& image, const QString& folder, const QString& baseName);

// The first name like `wanted` that nothing in the folder has.
QString freeName(const QString& folder, const QString& wanted);

}  // namespace pictures
