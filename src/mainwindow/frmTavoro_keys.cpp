// Keyboard play on the main window's board: the session decides what a key
// does (slide mode: an arrow moves the piece next to the empty place in the
// arrow's direction into it; swap mode: the arrows move a keyboard cursor and
// Space presses the piece under it, Esc lets go of the selected piece; H a
// hint, P the pause). This window only names the keys and draws the cursor.

#include "mainwindow/frmTavoro.h"

#include "mainwindow/board_accessible.h"

#include "widgets/controls.h"

#include <QKeyEvent>

using widgets::PuzzlePiece;

namespace {

game::Key sessionKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool plain = modifiers == Qt::NoModifier || modifiers == Qt::KeypadModifier;
    if (!plain)
        return game::Key::Other;
    switch (key) {
    case Qt::Key_Left: return game::Key::Left;
    case Qt::Key_Right: return game::Key::Right;
    case Qt::Key_Up: return game::Key::Up;
    case Qt::Key_Down: return game::Key::Down;
    case Qt::Key_Space: return game::Key::Space;
    case Qt::Key_Escape: return game::Key::Escape;
    case Qt::Key_H: return modifiers == Qt::NoModifier ? game::Key::Hint : game::Key::Other;
    case Qt::Key_P: return modifiers == Qt::NoModifier ? game::Key::Pause : game::Key::Other;
    default: return game::Key::Other;
    }
}

}  // namespace

bool frmTavoro::boardKey(int key, Qt::KeyboardModifiers modifiers)
{
    motion_.finish();
    const game::Key k = sessionKey(key, modifiers);
    const bool wasHelped = session.helped();
    if (!session.key(k))
        return false;
    if (k == game::Key::Hint && session.shownHint())
        askForBetterHint();
    if (session.helped() != wasHelped)
        keepGame();
    if (solvedPending_)
        GameSolved();
    return true;
}

void frmTavoro::showKeyCursor(int place)
{
    if (place < 0 || place >= board.places()) {
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
