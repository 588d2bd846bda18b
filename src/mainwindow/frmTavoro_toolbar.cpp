// The toolbar's one handler: what each button of the main window does.

#include "mainwindow/frmTavoro.h"

#include "errors/trap.h"
#include "mainwindow/controls.h"
#include "mainwindow/seams.h"
#include "services/settings.h"
#include "services/shared.h"

using errors::Procedure;
using mainwindow::ImageControl;
using mainwindow::PuzzlePiece;
using mainwindow::seams;
using mainwindow::ShapeControl;


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
            case 4:
            case 7:
            case 9:
                // The picture and wallpaper windows and the options and help
                // menus are not there yet.
                break;
            case 8:
                // Only to look: no result is handed over.
                g.HSPending = vbFalse;
                seams().showChampions(this);
                break;
            case 5:
            case 6:
                g.Mode = Index == 5 ? 0 : 1;
                NewGame();
                Allgemein::SaveIni("Optionen", "Mode", QString::number(g.Mode));
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
                g.Sprache = static_cast<int16_t>(digitOfButton[Index - 10] * 1000);
                Sprache();
                Allgemein::SaveIni("Optionen", "Sprache", QString::number(g.Sprache));
                break;
            }
            default: break;
            }
        },
    });
}
