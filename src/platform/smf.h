#pragma once
// The timing of a standard MIDI file: how long it plays and where a tick lies
// in time, with every tempo change taken into account. Used by the sequencer
// to answer the length and position of a track in milliseconds.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace smf {

class Timing {
public:
    // Reads the header and every track chunk. Nothing when the data is no
    // standard MIDI file (bad header, a track cut short, a broken event).
    static std::optional<Timing> parse(std::string_view bytes);

    // The tick of the last track end (the longest track).
    int64_t totalTicks() const { return totalTicks_; }

    // The playing time up to the last track end, in milliseconds.
    int64_t lengthMs() const { return tickToMs(totalTicks_); }

    // The time of a tick from the start, in milliseconds (rounded down).
    int64_t tickToMs(int64_t tick) const;

    // An instrument: a bank (128 for General MIDI drums) and a program.
    struct Preset {
        int bank = 0;
        int program = 0;
        bool operator==(const Preset&) const = default;
    };
    // The instruments the file plays, each once: every program change (on
    // the drum channel 10 from the drum bank), and the instrument a channel
    // starts with (program 0) when it plays notes.
    const std::vector<Preset>& presets() const { return presets_; }

private:
    struct TempoChange {
        int64_t tick;
        int64_t usPerQuarter;
    };
    // Ticks per quarter note; with SMPTE timing, microseconds per tick instead.
    int64_t ticksPerQuarter_ = 480;
    double smpteUsPerTick_ = 0.0;
    std::vector<TempoChange> tempo_;  // sorted by tick, first one at tick 0
    int64_t totalTicks_ = 0;
    std::vector<Preset> presets_;
};

}  // namespace smf
