// The player's own puzzle pictures are read on a worker thread: a large
// photo or a slow disk never stops the room. Until the picture arrives the
// board shows what it showed (a plain board at start) under a busy cursor;
// a Start pressed meanwhile starts the game on the picture once it is there.

#include "mainwindow/frmTavoro.h"

#include "platform/appinfo.h"
#include "services/resources.h"
#include "services/settings.h"
#include "services/picture_square.h"

#include <QFileInfo>

QString frmTavoro::ownPictureFile(int album, const QString& fileName)
{
    if (album != 1)
        return {};
    const QString file = appinfo::dataFolder() + QStringLiteral("/pics/") + fileName;
    return QFileInfo(file).isFile() ? file : QString();
}

void frmTavoro::readOwnPicture(const QString& file,
                               std::function<void(const pictures::Decoded&)> arrived)
{
    setCursor(Qt::BusyCursor);
    pictureLater_.read(file, pictures::storedSquare(file),
                       [this, arrived = std::move(arrived)](const pictures::Decoded& d) {
                           unsetCursor();
                           arrived(d);
                           if (startWhenPictureArrives_ && !pictureLater_.busy()) {
                               startWhenPictureArrives_ = false;
                               Start();
                           }
                       });
}

void frmTavoro::dropPictureUnderWay()
{
    if (!pictureLater_.busy())
        return;
    pictureLater_.cancel();
    unsetCursor();
}

QImage frmTavoro::orFirstBuiltIn(const QImage& picture)
{
    if (!picture.isNull())
        return picture;
    Allgemein::settings().setAlbum(0);
    Allgemein::settings().setPicture(101);
    return resources::loadBitmap(201);
}

void frmTavoro::showPuzzlePicture(const QImage& picture)
{
    PicClip1.setPicture(picture);
    imgPreview->setPicture(QPixmap::fromImage(PicClip1.Picture()));
    if (cells_.empty())
        return;
    cutPictureClipForSize();
    cutPictureIntoPieces();
    redrawBoard();
}
