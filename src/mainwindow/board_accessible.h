#pragma once
// The room as assistive technology (a screen reader) sees it.
//
// The room's children are the board, then the controls that name themselves
// (toolbar buttons, the move counter, the clock, the preview, the pause
// cloth); the furniture and the frames are left out. The board is a table of
// N x N cells, one for each place: a cell reads as "Row 2, column 1: Piece 5,
// at home", the empty place as "Row 4, column 4: Empty place", the piece
// selected in swap mode adds "selected". Pressing a cell (its press action)
// is a click on the piece.
//
// While the room holds the keyboard focus, the focus of assistive technology
// is on a cell: the keyboard cursor in swap mode (else the selected piece or
// the first place), the empty place in slide mode. A move tells the cells it
// changed and what moved (the board's description, events of a changed name
// and description); a solved game is announced by an alert. A keyboard focus
// brought to the room with Tab shows as an outline around the board.

#include <QString>

class frmTavoro;

namespace mainwindow {

// Gives the room and its board their interfaces. Called once from the room's
// constructor.
void makeRoomAccessible(frmTavoro& room);

// The keyboard cursor moved: the cell under it takes the focus.
void boardFocusMoved(frmTavoro& room);

// What a cell says: its place, the piece on it and whether that is at home.
QString placeText(const frmTavoro& room, int place);

// The cell that has the focus of assistive technology (see above).
int focusPlace(const frmTavoro& room);

// What the board said last: the move or the solved game ("" before any).
QString lastAnnouncement(const frmTavoro& room);

}  // namespace mainwindow
