#pragma once
// An orderly end on SIGTERM, SIGHUP and SIGINT (a logout, a system shutting
// down, kill, Ctrl+C in a terminal): the signal is noted by a handler that
// only writes a byte to a pipe, and the application's event loop then quits
// as if the last window had been closed, so that what the game keeps on
// quitting is kept.

namespace termination {

// Installs the handlers; call once, after the application object exists.
void quitOnSignals();

}  // namespace termination
