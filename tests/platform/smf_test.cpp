#include "platform/smf.h"
#include "services/resources.h"
#include "services/seams.h"

#include <gtest/gtest.h>

namespace {

std::optional<smf::Timing> fixture(int number)
{
    services::seams().resourceRoot = ":/testres";
    const QByteArray bytes = resources::load("MIDI", number);
    services::seams().resourceRoot.clear();
    return smf::Timing::parse(std::string_view(bytes.constData(), bytes.size()));
}

std::optional<smf::Timing> parse(const std::string& bytes)
{
    return smf::Timing::parse(bytes);
}

}  // namespace

TEST(Smf, LengthFollowsDivisionAndEveryTempoChange)
{
    struct Case {
        int track;
        int64_t ticks;
        int64_t ms;
    };
    // 1001: 576 ticks at 120 bpm / 480; 1002: format 1, tempo in its own track,
    // running status, 96 ticks at 400 ms a quarter / 96; 1006: tempo doubles
    // after 480 ticks.
    for (const Case& c : {Case{1001, 576, 600}, Case{1002, 96, 400}, Case{1003, 480, 500},
                          Case{1006, 960, 750}}) {
        SCOPED_TRACE(c.track);
        const auto t = fixture(c.track);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->totalTicks(), c.ticks);
        EXPECT_EQ(t->lengthMs(), c.ms);
    }
    const auto t = fixture(1006);
    EXPECT_EQ(t->tickToMs(0), 0);
    EXPECT_EQ(t->tickToMs(480), 500);
    EXPECT_EQ(t->tickToMs(720), 625);
}

TEST(Smf, DataThatIsNoMidiFileIsRefused)
{
    const std::string header("MThd\0\0\0\6\0\0\0\1\1\xe0", 14);
    const std::string endOnly("MTrk\0\0\0\4\0\xff\x2f\0", 12);
    for (const std::string& bad : {
             std::string(),
             std::string("RIFF\0\0\0\0WAVE", 12),
             header,                                            // the track is missing
             header + std::string("MTrk\0\0\0\x10\0\xff", 10),  // cut short
             header + std::string("MTrk\0\0\0\3\0\x40\x40", 11),  // data without a status
             std::string("MThd\0\0\0\6\0\0\0\1\0\0", 14) + endOnly,  // division 0
         }) {
        EXPECT_FALSE(parse(bad)) << QByteArray::fromStdString(bad).toHex().constData();
    }
    EXPECT_EQ(parse(header + endOnly)->lengthMs(), 0);
}

TEST(Smf, InstrumentsTheTrackPlays)
{
    using P = smf::Timing::Preset;
    const std::string header("MThd\0\0\0\6\0\0\0\1\1\xe0", 14);
    // Channel 1: bank 1 chosen, program 40, a second program 40 by running
    // status (counted once), then 41; channel 2 plays without a program
    // change (its first instrument, 0); channel 10 (drums) takes program 0 of
    // the drum bank; a note-on with velocity 0 chooses nothing.
    const std::string events(
        "\0\xb0\x00\x01"
        "\0\xc0\x28"
        "\0\x28"
        "\0\xc0\x29"
        "\0\x91\x3c\x40"
        "\0\xc9\x00"
        "\0\x93\x3c\x00"
        "\0\xff\x2f\0",
        27);
    const std::string track = std::string("MTrk\0\0\0", 7) + char(events.size()) + events;
    const auto t = parse(header + track);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->presets(), (std::vector<P>{{1, 40}, {1, 41}, {0, 0}, {128, 0}}));
    // The game's tracks all name their instruments.
    for (int number : {1001, 1006}) {
        const auto f = fixture(number);
        ASSERT_TRUE(f);
        EXPECT_FALSE(f->presets().empty()) << number;
    }
}
