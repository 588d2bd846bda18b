#pragma once
// The player's statistics: every game finished or abandoned, one line each,
// and the figures drawn from them. Qt-free; the file itself is kept by the
// services (services/statistics.h).
//
// The file is text in UTF-8, a first line naming it, then one game a line,
// fields parted by tabs:
//
//   Tavoro statistics 1
//   4	0	S	37	85	1765442400	22	101
//   size mode outcome moves seconds date shortest picture
//
// mode 0 slide, 1 swap; outcome S solved, H solved with help (a hint or
// Solve), A abandoned; date in seconds since 1970 (UTC); shortest the fewest
// moves from the start when known, else empty; picture the number of a
// built-in picture or the name of a picture file, the last field, with "\"
// written "\\" and a tab, line feed or carriage return "\t", "\n", "\r".

#include "game/board.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace game::statistics {

enum class Outcome : char { Solved = 'S', Helped = 'H', Abandoned = 'A' };

struct Record {
    int size = 0;
    Mode mode = Mode::Slide;
    Outcome outcome = Outcome::Solved;
    int moves = 0;
    int seconds = 0;
    int64_t date = 0;
    std::optional<int> shortest;
    std::string picture;
    bool operator==(const Record&) const = default;
};

// The first line of every statistics file.
inline constexpr std::string_view Header = "Tavoro statistics 1";

// One game's line, without its line end.
std::string encodeLine(const Record& record);
// The game a line holds; nothing for a damaged line (a size of 3 to 8, a mode,
// an outcome, moves, seconds and date from 0 and a shortest from 1 when given).
std::optional<Record> decodeLine(std::string_view line);

struct Decoded {
    std::vector<Record> records;
    int damaged = 0;  // lines that held no game, skipped
};
// Every game of a whole file. Empty lines, and the header, are not counted as
// damaged; a file without the header is read all the same.
Decoded decode(std::string_view bytes);

// The figures of the games of one size and mode.
struct Summary {
    int played = 0;  // finished or abandoned
    int solved = 0;  // without help
    // Of the games solved without help:
    std::optional<int> bestMoves, bestSeconds;
    std::optional<double> medianMoves, medianSeconds;
    // Of the games solved without help whose shortest is known, the share
    // (0 to 1) within one and a half times it; nothing when there are none.
    std::optional<double> withinShare;
};
Summary summarize(const std::vector<Record>& records, int size, Mode mode);

// The games of one size and mode solved without help, the last `count` of
// them in the order played: what the chart shows.
std::vector<Record> lastSolved(const std::vector<Record>& records, int size, Mode mode, int count);

// The least-squares line through (i, values[i]): the value at the first and
// the last point. Nothing for fewer than two values.
struct Trend {
    double first = 0, last = 0;
};
std::optional<Trend> trend(const std::vector<double>& values);

}  // namespace game::statistics
