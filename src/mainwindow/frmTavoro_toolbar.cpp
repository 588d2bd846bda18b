// The toolbar's one handler: what each button of the main window does.

#include "mainwindow/frmTavoro.h"

#include "errors/trap.h"
#include "services/picture_file.h"
#include "widgets/controls.h"
#include "widgets/seams.h"
#include "platform/appinfo.h"
#include "services/resources.h"
#include "services/settings.h"
#include "services/shared.h"

#include <QCursor>
#include <QFileInfo>
#include <QMenu>

using Allgemein::settings;
using errors::Procedure;
using widgets::ImageControl;
using widgets::PuzzlePiece;
using widgets::ShapeControl;

namespace {

// The puzzle picture chosen: the source, the built-in picture, the file.
struct Choice {
    int album = 0;
    int picture = 0;
    QString file;

    static Choice now()
    {
        return {settings().Album(), settings().Picture(),
                Allgemein::GetIniString("Pictures", "File", "Tavoro1.bmp")};
    }
    bool sameAs(const Choice& o) const
    {
        return album == o.album && (album == 0 ? picture == o.picture : file == o.file);
    }
    void restore() const
    {
        settings().setAlbum(album);
        settings().setPicture(picture);
        settings().store(Allgemein::Setting::Album);
        settings().store(Allgemein::Setting::Picture);
        Allgemein::SaveIni("Pictures", "File", file);
    }
};

// The own picture chosen in the picture window, read: the puzzle picture,
// the preview and a new game; a picture that could not be read is reported,
// and skipping that step keeps the old picture.
void OwnPictureArrived(frmTavoro& w, const QString& path, const pictures::Decoded& decoded)
{
    Procedure proc{"frmTavoro", "PicBut_Click"};
    proc.run({
        [&] {
            decoded.raiseFailure();
            w.PicClip1.setPicture(decoded.picture);
            w.PictureFile = path;
        },
        [&] { w.imgPreview->setPicture(QPixmap::fromImage(w.PicClip1.Picture())); },
        [&] { w.NewGame(); },
    });
}

// The picture command: the picture window, then the puzzle picture reloaded
// from Album as it now stands, the preview and a new game. A picture that
// cannot be read is reported; skipping that step keeps the old picture.
// A game with moves goes on when the picture stays the same, or when the
// player does not give it up for another one (which is then not taken).
// False when the player chose to leave.
bool PictureCommand(frmTavoro& w)
{
    Procedure proc{"frmTavoro", "PicBut_Click"};
    return proc.run({
        [&] {
            const Choice before = Choice::now();
            widgets::seams().showPictureWindow(&w);
            if (!w.gameWithMovesRuns())
                return;
            const bool same = Choice::now().sameAs(before);
            if (same || !w.mayAbandonGame()) {
                if (!same)
                    before.restore();
                proc.leave();
            }
        },
        [&] {
            // No file chosen, or none of that name in the "pics" folder (the
            // window closed before one was picked): the picture stays. An own
            // picture is read on the worker and played when it arrives.
            const QString own = frmTavoro::ownPictureFile(
                settings().Album(), Allgemein::GetIniString("Pictures", "File", "Tavoro1.bmp"));
            if (!own.isEmpty()) {
                // The answer comes only while the window is there.
                w.readOwnPicture(own, [&w, own](const pictures::Decoded& d) {
                    OwnPictureArrived(w, own, d);
                });
                proc.leave();
                return;
            }
            w.dropPictureUnderWay();
            QString path;
            const QImage picture = w.chosenPuzzlePicture(path);
            if (picture.isNull())
                return;
            w.PicClip1.setPicture(picture);
        },
        [&] { w.imgPreview->setPicture(QPixmap::fromImage(w.PicClip1.Picture())); },
        [&] { w.NewGame(); },
    });
}

}  // namespace


void frmTavoro::PicBut_Click(int16_t Index)
{
    Procedure proc{"frmTavoro", "PicBut_Click"};
    proc.run({
        [&] {
            switch (Index) {
            case 0: Start(); break;
            case 1: Ende(); break;
            case 2:
                // The preview shows and hides with its outline; it is visible
                // after the layout, so the first press hides it.
                imgPreview->setVisible(g.PreviewNext != 0);
                shpPreview->setVisible(g.PreviewNext != 0);
                g.PreviewNext = g.PreviewNext ? vbFalse : vbTrue;
                break;
            case 3:
                if (!PictureCommand(*this))
                    proc.leave();
                break;
            case 4:
                widgets::seams().showWallpaperWindow(this);
                PaintBG();
                break;
            case 7:
                // The options menu pops up at the mouse.
                mnuOptionen->popup(QCursor::pos());
                break;
            case 8:
                // Only to look: no result is handed over.
                widgets::seams().showChampions(this, std::nullopt);
                break;
            case 9:
                // The help menu pops up at the mouse.
                mnuHilfe->popup(QCursor::pos());
                break;
            case 5:
            case 6:
                if (!mayAbandonGame()) {
                    showMode();
                    break;
                }
                settings().setMode(Index == 5 ? game::Mode::Slide : game::Mode::Swap);
                showMode();
                NewGame();
                settings().store(Allgemein::Setting::Mode);
                break;
            case 10:
            case 11:
            case 12:
            case 13:
            case 14:
            case 16: {
                // The language buttons: German, English, Swedish, Italian,
                // Spanish and, after the missing 15, French.
                static const int16_t digitOfButton[7] = {0, 1, 2, 3, 5, -1, 6};
                settings().setSprache(static_cast<int16_t>(digitOfButton[Index - 10] * 1000));
                Sprache();
                settings().store(Allgemein::Setting::Sprache);
                break;
            }
            default: break;
            }
        },
    });
}
