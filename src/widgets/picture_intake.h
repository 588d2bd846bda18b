#pragma once
// Pictures the player hands the game: files from the file dialog, files or
// picture data dropped on a window, a picture on the clipboard. Each is
// copied into the "pics" folder (pictures::addPictureFile / addPictureImage);
// what could not be added is told to the player in one message in the game's
// language, naming each file and why. The main window and the picture window
// both take pictures this way.

#include <QString>
#include <QStringList>

class QMimeData;
class QWidget;

namespace widgets {

// The folder the player's own pictures are played from.
QString picsFolder();

// The file dialog's filter for the pictures the game plays.
QString pictureFilter();

// Whether a drag carries files or picture data (the window then takes it).
bool carriesPictures(const QMimeData* data);

// Copies the files and tells what failed; the names added, in order.
QStringList takePictureFiles(QWidget* owner, const QStringList& paths);
// A drop: its local files, or else its picture data stored as PNG.
QStringList takeDroppedPictures(QWidget* owner, const QMimeData* data);
// The clipboard's picture stored as PNG; with no picture there the player is
// told so.
QStringList pastePicture(QWidget* owner);

// Opens the "pics" folder (made first when missing) in the desktop's file
// manager, telling the player when that fails.
void openPicsFolder(QWidget* owner);

}  // namespace widgets
