// The statistics file's lines read back as written, damaged lines skipped
// and counted without costing the others, and the figures of a table of games.

#include "game/statistics.h"

#include <gtest/gtest.h>

using game::Mode;
using namespace game::statistics;

namespace {

Record played(int size, Mode mode, Outcome outcome, int moves, int seconds, std::optional<int> shortest = {})
{
    return {size, mode, outcome, moves, seconds, 1765442400, shortest, "101"};
}

}  // namespace

TEST(Statistics, LinesReadBackAsWritten)
{
    const std::vector<Record> games = {
        played(3, Mode::Slide, Outcome::Solved, 31, 40, 22),
        {8, Mode::Swap, Outcome::Abandoned, 0, 0, 0, std::nullopt, ""},
        {4, Mode::Slide, Outcome::Helped, 120, 3600, 4102444800, 54, "my\tbeach\\pic\nr\r.jpg"},
        {5, Mode::Slide, Outcome::Solved, 90, 100, 1, std::nullopt, "Straße ☀.png"},
    };
    std::string file = std::string(Header) + "\n";
    for (const Record& r : games) {
        const std::string line = encodeLine(r);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_EQ(decodeLine(line), r);
        file += line + "\n";
    }
    const Decoded back = decode(file);
    EXPECT_EQ(back.records, games);
    EXPECT_EQ(back.damaged, 0);
}

TEST(Statistics, DamagedLinesAreSkippedAndCounted)
{
    const std::string good = encodeLine(played(4, Mode::Slide, Outcome::Solved, 50, 60, 40));
    const std::vector<std::string> damaged = {
        "garbage",
        "4\t0\tS\t50\t60\t1765442400\t40",          // a field short
        "9\t0\tS\t50\t60\t1765442400\t\t101",         // size
        "2\t0\tS\t50\t60\t1765442400\t\t101",
        "4\t2\tS\t50\t60\t1765442400\t\t101",         // mode
        "4\t0\tX\t50\t60\t1765442400\t\t101",         // outcome
        "4\t0\tSS\t50\t60\t1765442400\t\t101",
        "4\t0\tS\t-1\t60\t1765442400\t\t101",         // negative moves
        "4\t0\tS\t5x\t60\t1765442400\t\t101",
        "4\t0\tS\t50\t60\t1765442400\t0\t101",        // a shortest of 0
        "4\t0\tS\t50\t60\t1765442400\t\t10\\q1",      // unknown escape
        "4\t0\tS\t50\t60\t1765442400\t\t101\\",       // escape cut off
        "4\t0\tS\t50\t60\t99999999999999999999\t\t1", // date too large
        std::string("4\t0\tS\t50\t60\t1765442400\t\t10\t1"),
    };
    std::string file = std::string(Header) + "\r\n" + good + "\r\n\n";
    for (const std::string& line : damaged) {
        EXPECT_FALSE(decodeLine(line)) << line;
        file += line + "\n" + good + "\n";
    }
    // A last line cut off in the middle, without its line end.
    file += good.substr(0, 5);
    const Decoded back = decode(file);
    EXPECT_EQ(back.records.size(), damaged.size() + 1);
    EXPECT_EQ(back.damaged, int(damaged.size()) + 1);
    // A file without its header is read all the same.
    EXPECT_EQ(decode(good + "\n" + good).records.size(), 2u);
}

TEST(Statistics, SummaryOfATableOfGames)
{
    const std::vector<Record> games = {
        played(3, Mode::Slide, Outcome::Solved, 31, 40, 22),  // 31 <= 33: within
        played(3, Mode::Slide, Outcome::Solved, 34, 20, 22),  // 34 > 33
        played(3, Mode::Slide, Outcome::Helped, 22, 5, 22),   // help: played, not solved
        played(3, Mode::Slide, Outcome::Abandoned, 3, 9),
        played(3, Mode::Slide, Outcome::Solved, 25, 90),      // shortest unknown
        played(3, Mode::Slide, Outcome::Solved, 60, 30, 20),  // 60 > 30
        played(3, Mode::Swap, Outcome::Solved, 7, 8, 7),      // another mode
        played(4, Mode::Slide, Outcome::Solved, 70, 100, 50),  // another size
    };
    const Summary s = summarize(games, 3, Mode::Slide);
    EXPECT_EQ(s.played, 6);
    EXPECT_EQ(s.solved, 4);
    EXPECT_EQ(s.bestMoves, 25);
    EXPECT_EQ(s.bestSeconds, 20);
    EXPECT_EQ(s.medianMoves, 32.5);    // 25 31 34 60
    EXPECT_EQ(s.medianSeconds, 35.0);  // 20 30 40 90
    ASSERT_TRUE(s.withinShare);
    EXPECT_DOUBLE_EQ(*s.withinShare, 1.0 / 3);

    const Summary swap = summarize(games, 3, Mode::Swap);
    EXPECT_EQ(swap.played, 1);
    EXPECT_EQ(swap.medianMoves, 7.0);
    EXPECT_EQ(swap.withinShare, 1.0);

    const Summary none = summarize(games, 8, Mode::Slide);
    EXPECT_EQ(none.played, 0);
    EXPECT_FALSE(none.bestMoves);
    EXPECT_FALSE(none.medianSeconds);
    EXPECT_FALSE(none.withinShare);
}

TEST(Statistics, LastSolvedGamesAndTheirTrend)
{
    std::vector<Record> games;
    for (int i = 0; i < 10; ++i)
        games.push_back(played(3, i % 3 ? Mode::Slide : Mode::Swap, Outcome::Solved, 100 - i, 10 + i));
    games.push_back(played(3, Mode::Slide, Outcome::Abandoned, 1, 1));
    const std::vector<Record> last = lastSolved(games, 3, Mode::Slide, 4);
    ASSERT_EQ(last.size(), 4u);
    EXPECT_EQ(last.front().moves, 96);  // games 4, 5, 7, 8
    EXPECT_EQ(last.back().moves, 92);

    const auto line = trend({10, 12, 14, 16});
    ASSERT_TRUE(line);
    EXPECT_DOUBLE_EQ(line->first, 10);
    EXPECT_DOUBLE_EQ(line->last, 16);
    const auto flat = trend({5, 1, 5, 1});
    ASSERT_TRUE(flat);
    EXPECT_DOUBLE_EQ(flat->first, 4.2);
    EXPECT_DOUBLE_EQ(flat->last, 1.8);
    EXPECT_FALSE(trend({7}));
}
