#pragma once
// Start-up timestamps for finding where the time goes: with the environment
// variable TAVORO_TRACE set (to anything), mark() writes one line to standard
// error, "tavoro-trace <ms since the program started> <what>  [cpu thread
// <ms>, program <ms>]" with the processor time the calling thread and the
// whole program have used so far. Off by default, and then nearly free.

namespace trace {

// Whether tracing is on (read once).
bool enabled();

// Writes the line when tracing is on.
void mark(const char* what);

}  // namespace trace
