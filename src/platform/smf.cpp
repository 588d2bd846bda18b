#include "platform/smf.h"

#include <algorithm>
#include <cstdint>

namespace smf {

namespace {

class Reader {
public:
    Reader(std::string_view data) : data_(data) {}

    bool atEnd() const { return pos_ >= data_.size(); }
    size_t left() const { return data_.size() - pos_; }

    bool byte(uint8_t& out)
    {
        if (atEnd())
            return false;
        out = static_cast<uint8_t>(data_[pos_++]);
        return true;
    }
    bool be(int bytes, uint32_t& out)
    {
        out = 0;
        for (int i = 0; i < bytes; ++i) {
            uint8_t b;
            if (!byte(b))
                return false;
            out = (out << 8) | b;
        }
        return true;
    }
    // A variable-length quantity: at most four bytes.
    bool vlq(uint32_t& out)
    {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!byte(b))
                return false;
            out = (out << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    bool skip(size_t n)
    {
        if (n > left())
            return false;
        pos_ += n;
        return true;
    }
    std::string_view take(size_t n)
    {
        std::string_view s = data_.substr(pos_, n);
        pos_ += n;
        return s;
    }

private:
    std::string_view data_;
    size_t pos_ = 0;
};

// Data bytes that follow a channel message's status byte.
int dataBytes(uint8_t status)
{
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
        return 1;
    default:
        return 2;
    }
}

struct Track {
    int64_t endTick = 0;
    std::vector<std::pair<int64_t, int64_t>> tempo;  // tick, microseconds per quarter
    std::vector<Timing::Preset> presets;
};

// Notes the instruments a channel message chooses: a program change, or a
// note on a channel before any program change (its first instrument).
struct InstrumentWatch {
    int bank[16] = {};
    bool chosen[16] = {};

    void message(uint8_t status, uint8_t first, uint8_t second, std::vector<Timing::Preset>& out)
    {
        const int ch = status & 0x0F;
        const int drums = ch == 9 ? 128 : -1;
        auto add = [&](Timing::Preset p) {
            if (std::find(out.begin(), out.end(), p) == out.end())
                out.push_back(p);
        };
        switch (status & 0xF0) {
        case 0xB0:
            if (first == 0)
                bank[ch] = second;
            break;
        case 0xC0:
            chosen[ch] = true;
            add({drums >= 0 ? drums : bank[ch], first});
            break;
        case 0x90:
            if (!chosen[ch] && second > 0) {
                chosen[ch] = true;
                add({drums >= 0 ? drums : bank[ch], 0});
            }
            break;
        default:
            break;
        }
    }
};

std::optional<Track> readTrack(std::string_view body)
{
    Reader r(body);
    Track t;
    InstrumentWatch instruments;
    int64_t tick = 0;
    uint8_t running = 0;
    while (!r.atEnd()) {
        uint32_t delta;
        if (!r.vlq(delta))
            return std::nullopt;
        tick += delta;
        uint8_t status;
        if (!r.byte(status))
            return std::nullopt;
        if (status == 0xFF) {
            uint8_t type;
            uint32_t len;
            if (!r.byte(type) || !r.vlq(len) || len > r.left())
                return std::nullopt;
            const std::string_view payload = r.take(len);
            if (type == 0x51 && len == 3) {
                const int64_t us = (static_cast<uint8_t>(payload[0]) << 16)
                                   | (static_cast<uint8_t>(payload[1]) << 8)
                                   | static_cast<uint8_t>(payload[2]);
                if (us > 0)
                    t.tempo.emplace_back(tick, us);
            } else if (type == 0x2F) {
                t.endTick = tick;
                return t;
            }
            running = 0;
        } else if (status == 0xF0 || status == 0xF7) {
            uint32_t len;
            if (!r.vlq(len) || !r.skip(len))
                return std::nullopt;
            running = 0;
        } else if (status & 0x80) {
            if (status >= 0xF0)
                return std::nullopt;  // system messages have no place in a file
            running = status;
            uint8_t data[2] = {};
            for (int i = 0; i < dataBytes(status); ++i)
                if (!r.byte(data[i]))
                    return std::nullopt;
            instruments.message(status, data[0], data[1], t.presets);
        } else {
            // Running status: this byte is the first data byte.
            if (!running)
                return std::nullopt;
            uint8_t data[2] = {status, 0};
            if (dataBytes(running) == 2 && !r.byte(data[1]))
                return std::nullopt;
            instruments.message(running, data[0], data[1], t.presets);
        }
    }
    // A track without an end marker ends with its last event.
    t.endTick = tick;
    return t;
}

}  // namespace

std::optional<Timing> Timing::parse(std::string_view bytes)
{
    Reader r(bytes);
    uint32_t tag, len, format, tracks, division;
    if (!r.be(4, tag) || tag != 0x4D546864 /* MThd */ || !r.be(4, len) || len < 6
        || !r.be(2, format) || !r.be(2, tracks) || !r.be(2, division) || !r.skip(len - 6))
        return std::nullopt;
    if (format > 2 || tracks == 0 || division == 0)
        return std::nullopt;

    Timing timing;
    if (division & 0x8000) {
        const int fps = -static_cast<int8_t>(division >> 8);
        const int perFrame = static_cast<int>(division & 0xFF);
        if (fps <= 0 || perFrame == 0)
            return std::nullopt;
        // 29 stands for 29.97 frames a second.
        timing.smpteUsPerTick_ = 1e6 / ((fps == 29 ? 29.97 : fps) * perFrame);
    } else {
        timing.ticksPerQuarter_ = division;
    }

    std::vector<TempoChange> changes;
    uint32_t found = 0;
    while (found < tracks && !r.atEnd()) {
        if (!r.be(4, tag) || !r.be(4, len) || len > r.left())
            return std::nullopt;
        const std::string_view body = r.take(len);
        if (tag != 0x4D54726B /* MTrk */)
            continue;  // chunks of unknown kinds are skipped
        ++found;
        const std::optional<Track> t = readTrack(body);
        if (!t)
            return std::nullopt;
        // The player starts every track at once, whatever the format says.
        for (const auto& [tick, us] : t->tempo)
            changes.push_back({tick, us});
        timing.totalTicks_ = std::max(timing.totalTicks_, t->endTick);
        for (const Preset& p : t->presets)
            if (std::find(timing.presets_.begin(), timing.presets_.end(), p) == timing.presets_.end())
                timing.presets_.push_back(p);
    }
    if (found != tracks)
        return std::nullopt;

    std::stable_sort(changes.begin(), changes.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    timing.tempo_.push_back({0, 500000});  // 120 beats a minute until told otherwise
    for (const TempoChange& c : changes) {
        if (c.tick == timing.tempo_.back().tick)
            timing.tempo_.back().usPerQuarter = c.usPerQuarter;
        else
            timing.tempo_.push_back(c);
    }
    return timing;
}

int64_t Timing::tickToMs(int64_t tick) const
{
    if (tick <= 0)
        return 0;
    if (smpteUsPerTick_ > 0)
        return static_cast<int64_t>(std::min(tick * smpteUsPerTick_ / 1000.0, 9.0e18));
    // Microseconds times ticks-per-quarter, summed exactly over the tempo segments.
    // (A crafted file could overflow 64 bits here.)
    __int128 scaled = 0;
    for (size_t i = 0; i < tempo_.size(); ++i) {
        const int64_t from = tempo_[i].tick;
        if (from >= tick)
            break;
        const int64_t to = i + 1 < tempo_.size() ? std::min(tempo_[i + 1].tick, tick) : tick;
        scaled += static_cast<__int128>(to - from) * tempo_[i].usPerQuarter;
    }
    const __int128 ms = scaled / (ticksPerQuarter_ * 1000);
    return ms > INT64_MAX ? INT64_MAX : static_cast<int64_t>(ms);
}

}  // namespace smf
