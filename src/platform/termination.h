#pragma once
// An orderly end on SIGTERM, SIGHUP and SIGINT (a logout, a system shutting
// down, kill, Ctrl+C in a terminal), wherever the program stands: in the room,
// behind a question, in any window of the game or a file dialog.
//
// The handler only writes a byte to a pipe and arms a last-resort timer. The
// event loop that runs then (the room's, or a dialog's nested one) keeps what
// must be kept and ends every event loop at once, so that a modal window
// returns as if cancelled and the program unwinds to its end. Should the
// program not have ended a second later (its thread was not in an event loop),
// it ends there with status 0: the game on disk is whole, since it is only
// ever replaced whole.

#include <functional>

namespace termination {

// Installs the handlers; call once, after the application object exists.
// keep: what is kept on the way out (the running game), run once on the
// window's thread when a signal is noted.
void quitOnSignals(std::function<void()> keep = {});

// Whether a signal asked the program to end: an event loop started after
// that (the room's own, when the signal came before it) is not run.
bool requested();

}  // namespace termination
