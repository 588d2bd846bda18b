// New pictures for the room: image files or picture data dropped on it, or a
// picture pasted with Ctrl+V, are copied into the "pics" folder and played.

#include "mainwindow/frmTavoro.h"

#include "errors/trap.h"
#include "services/settings.h"
#include "widgets/picture_intake.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QShortcut>

using Allgemein::settings;
using errors::Procedure;

void frmTavoro::acceptNewPictures()
{
    setAcceptDrops(true);
    auto* paste = new QShortcut(QKeySequence::Paste, this);
    connect(paste, &QShortcut::activated, this, [this] { pastePicture(); });
}

void frmTavoro::dragEnterEvent(QDragEnterEvent* e)
{
    if (widgets::carriesPictures(e->mimeData()))
        e->acceptProposedAction();
}

void frmTavoro::dropEvent(QDropEvent* e)
{
    Procedure proc{"frmTavoro", "dropEvent"};
    proc.run({
        [&] {
            e->acceptProposedAction();
            playNewPictures(widgets::takeDroppedPictures(this, e->mimeData()));
        },
    });
}

void frmTavoro::pastePicture()
{
    Procedure proc{"frmTavoro", "pastePicture"};
    proc.run({
        [&] { playNewPictures(widgets::pastePicture(this)); },
    });
}

void frmTavoro::playNewPictures(const QStringList& added)
{
    Procedure proc{"frmTavoro", "playNewPictures"};
    proc.run({
        [&] {
            // The pictures stay in "pics"; a running game goes only when the
            // player gives it up.
            if (added.isEmpty() || !mayAbandonGame())
                proc.leave();
        },
        // Read on the worker before anything changes: a picture that fails
        // leaves the picture, the settings and the game as they were.
        [&] {
            const QString name = added.last();
            const QString path = widgets::picsFolder() + QLatin1Char('/') + name;
            readOwnPicture(path, [this, name, path](const pictures::Decoded& d) {
                playNewPicture(name, path, d);
            });
        },
    });
}

void frmTavoro::playNewPicture(const QString& name, const QString& path,
                               const pictures::Decoded& decoded)
{
    Procedure proc{"frmTavoro", "playNewPictures"};
    proc.run({
        [&] { decoded.raiseFailure(); },
        [&] {
            settings().setAlbum(1);
            settings().store(Allgemein::Setting::Album);
            Allgemein::SaveIni("Pictures", "File", name);
        },
        [&] {
            PicClip1.setPicture(decoded.picture);
            PictureFile = path;
        },
        [&] { imgPreview->setPicture(QPixmap::fromImage(PicClip1.Picture())); },
        [&] { NewGame(); },
    });
}
