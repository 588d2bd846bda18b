// Keyboard play on the main window's board. Slide mode: an arrow moves the
// piece next to the empty place in the arrow's direction into it (Up moves the
// piece below the empty place up). Swap mode: the arrows move a keyboard
// cursor over the board and Space presses the piece under it, as a click
// would. Keys reach the board only while a game runs.

#include "mainwindow/frmTavoro.h"

#include "mainwindow/board_accessible.h"

#include "widgets/controls.h"

#include <QKeyEvent>

using widgets::PuzzlePiece;

namespace {

// The step of an arrow key in columns and rows; false for any other key.
bool arrowStep(int key, int& dx, int& dy)
{
    dx = dy = 0;
    switch (key) {
    case Qt::Key_Left: dx = -1; return true;
    case Qt::Key_Right: dx = 1; return true;
    case Qt::Key_Up: dy = -1; return true;
    case Qt::Key_Down: dy = 1; return true;
    default: return false;
    }
}

// The place dx columns and dy rows away from `place` on an n x n board, or -1
// off the board.
int placeBeside(int place, int n, int dx, int dy)
{
    const int x = place % n + dx;
    const int y = place / n + dy;
    return x >= 0 && x < n && y >= 0 && y < n ? y * n + x : -1;
}

}  // namespace

bool frmTavoro::boardKey(int key)
{
    if (board.locked())
        return false;
    int dx = 0;
    int dy = 0;
    if (arrowStep(key, dx, dy)) {
        if (board.mode() == game::Mode::Slide) {
            // The piece on the far side of the empty place moves towards it.
            const int from = placeBeside(board.emptyPlace(), board.size(), -dx, -dy);
            if (from >= 0)
                imgPuzz_MouseDown(static_cast<int16_t>(from), 1, 0, 0, 0);
        } else if (keyCursor_ < 0) {
            // The first arrow shows the cursor where the player looks: on the
            // selected piece, else in the top left corner.
            showKeyCursor(board.selected() >= 0 ? board.selected() : 0);
        } else {
            const int to = placeBeside(keyCursor_, board.size(), dx, dy);
            if (to >= 0)
                showKeyCursor(to);
        }
        return true;
    }
    if (key == Qt::Key_Space && board.mode() == game::Mode::Swap) {
        if (keyCursor_ < 0)
            showKeyCursor(board.selected() >= 0 ? board.selected() : 0);
        else
            imgPuzz_MouseDown(static_cast<int16_t>(keyCursor_), 1, 0, 0, 0);
        return true;
    }
    return false;
}

void frmTavoro::showKeyCursor(int place)
{
    keyCursor_ = place;
    if (place < 0 || place >= board.places()) {
        keyCursor_ = -1;
        shpCursor->hide();
        return;
    }
    const PuzzlePiece* piece = imgPuzz(place);
    // A little inside the piece, so that it shows within the selection frame
    // when both are on the same piece.
    const int inset = 5;
    shpCursor->setGeometry(piece->geometry().adjusted(inset, inset, -inset, -inset));
    shpCursor->raise();
    shpCursor->show();
    mainwindow::boardFocusMoved(*this);
}
