#pragma once
// The two options every command answers without starting: --help and
// --version print to standard output and end the program, as other games on
// the desktop do. Everything else on the command line is left to Qt.

#include <cstdio>
#include <optional>

namespace commandline {

// Answers --help or --version (the first of them on the line) on `out` and
// returns the program's exit code: 0, or 1 when the answer could not be
// written. Without either option it prints nothing and returns no code: the
// game starts.
std::optional<int> answer(int argc, const char* const* argv, std::FILE* out);

}  // namespace commandline
