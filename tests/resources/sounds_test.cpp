// The sound effects (WAV 101-110) and the background music (MIDI 1001-1006)
// that travel inside the program: their format, size and length, and that
// each one plays cleanly: the sounds without clicks or clipping, the tracks
// in FluidSynth from start to end with no note left sounding.

#include "platform/synth.h"
#include "services/resources.h"

#include <QByteArray>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <fluidsynth.h>
#include "platform/synth.h"

#include <algorithm>
#include <iterator>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace {

struct WavSpec {
    int number;
    int rate;
    double seconds;
};

// Mono, 16-bit PCM, 428 to 34,000 bytes each.
const WavSpec kWavs[] = {
    {101, 11025, 1.420},  // the puzzle solved: a fanfare
    {102, 22050, 0.700},  // the wallpaper painted: brush strokes
    {103, 22050, 0.720},  // a game started: pieces rattled
    {104, 22050, 0.400},  // the picture window: a page turned
    {105, 22050, 0.120},  // a piece moved: a light tick
    {106, 22050, 0.180},  //   a lower knock
    {107, 22050, 0.220},  //   a slide and a click
    {108, 22050, 0.160},  //   tick-tock
    {109, 22050, 0.160},  //   a soft thud
    {110, 22050, 0.200},  //   a scrape and a hollow clack
};
constexpr qsizetype kWavMinBytes = 428;
constexpr qsizetype kWavMaxBytes = 34000;

struct MidiSpec {
    int number;
    const char* title;
    int parts;       // instrument tracks besides the conductor track
    double seconds;  // to the end of the tracks
};

const MidiSpec kMidis[] = {
    {1001, "Greensleeves", 4, 157.5},
    {1002, "Minuet in G", 5, 165.1},
    {1003, "Wiegenlied", 4, 155.4},
    {1004, "Scarborough Fair", 4, 161.3},
    {1005, "Quiet Rooms", 4, 167.0},
    {1006, "Canon", 5, 136.1},
};
constexpr qsizetype kMidiMinBytes = 9500;
constexpr qsizetype kMidiMaxBytes = 38000;

// The SoundFont the game plays its music with.
QByteArray soundFont()
{
    return QFile::encodeName(synth::findSoundFont());
}

uint32_t le32(const QByteArray& b, qsizetype at)
{
    auto u = [&](qsizetype i) { return uint32_t(uint8_t(b[at + i])); };
    return u(0) | u(1) << 8 | u(2) << 16 | u(3) << 24;
}
uint16_t le16(const QByteArray& b, qsizetype at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}
uint32_t be32(const QByteArray& b, qsizetype at)
{
    auto u = [&](qsizetype i) { return uint32_t(uint8_t(b[at + i])); };
    return u(0) << 24 | u(1) << 16 | u(2) << 8 | u(3);
}
uint16_t be16(const QByteArray& b, qsizetype at)
{
    return uint16_t(uint8_t(b[at]) << 8 | uint8_t(b[at + 1]));
}

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<double> samples;  // -1 .. 1
};

// Reads the RIFF chunks; an empty result when the data is no PCM wave.
Wav decodeWav(const QByteArray& b)
{
    Wav w;
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE"
        || le32(b, 4) + 8 != uint32_t(b.size()))
        return w;
    qsizetype at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const qsizetype len = le32(b, at + 4);
        const qsizetype body = at + 8;
        if (body + len > b.size())
            return Wav{};
        if (id == "fmt " && len >= 16) {
            w.format = le16(b, body);
            w.channels = le16(b, body + 2);
            w.rate = int(le32(b, body + 4));
            w.bits = le16(b, body + 14);
        } else if (id == "data" && w.bits == 16) {
            for (qsizetype i = 0; i + 1 < len; i += 2)
                w.samples.push_back(int16_t(le16(b, body + i)) / 32768.0);
        } else if (id == "data" && w.bits == 8) {
            for (qsizetype i = 0; i < len; ++i)
                w.samples.push_back((uint8_t(b[body + i]) - 128) / 128.0);
        }
        at = body + len + (len & 1);
    }
    return w;
}

// ------------------------------------------------------------------ MIDI

struct MidiTrack {
    std::string name;
    bool endsWithEndOfTrack = false;
    int notes = 0;
    int unmatchedOffs = 0;
    int hanging = 0;  // notes still on at the end of the track
};

struct Midi {
    int type = -1, division = 0;
    std::vector<MidiTrack> tracks;
    std::string error;
};

Midi parseMidi(const QByteArray& b)
{
    Midi m;
    if (b.size() < 14 || !b.startsWith("MThd") || be32(b, 4) != 6) {
        m.error = "no MThd header";
        return m;
    }
    m.type = be16(b, 8);
    const int count = be16(b, 10);
    m.division = be16(b, 12);
    qsizetype at = 14;
    for (int k = 0; k < count; ++k) {
        if (at + 8 > b.size() || b.mid(at, 4) != "MTrk") {
            m.error = "track " + std::to_string(k) + " missing";
            return m;
        }
        const qsizetype end = at + 8 + be32(b, at + 4);
        if (end > b.size()) {
            m.error = "track " + std::to_string(k) + " cut short";
            return m;
        }
        MidiTrack t;
        std::map<int, int> on;  // channel * 128 + key -> notes on
        qsizetype p = at + 8;
        int status = 0;
        auto var = [&]() {
            uint32_t v = 0;
            for (int i = 0; i < 4 && p < end; ++i) {
                const uint8_t c = uint8_t(b[p++]);
                v = v << 7 | (c & 0x7F);
                if (!(c & 0x80))
                    break;
            }
            return v;
        };
        while (p < end) {
            var();  // delta time
            if (p >= end)
                break;
            uint8_t c = uint8_t(b[p]);
            if (c & 0x80) {
                status = c;
                ++p;
            }
            if (status == 0xFF) {
                const uint8_t kind = uint8_t(b[p++]);
                const uint32_t len = var();
                if (kind == 0x03)
                    t.name = b.mid(p, len).toStdString();
                if (kind == 0x2F)
                    t.endsWithEndOfTrack = (p + qsizetype(len) == end);
                p += len;
                status = 0;
            } else if (status == 0xF0 || status == 0xF7) {
                p += var();
                status = 0;
            } else {
                const int kind = status & 0xF0, ch = status & 0x0F;
                const int d1 = uint8_t(b[p]);
                const int d2 = (kind == 0xC0 || kind == 0xD0) ? 0 : uint8_t(b[p + 1]);
                p += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                if (kind == 0x90 && d2 > 0) {
                    ++on[ch * 128 + d1];
                    ++t.notes;
                } else if (kind == 0x80 || kind == 0x90) {
                    if (on[ch * 128 + d1] > 0)
                        --on[ch * 128 + d1];
                    else
                        ++t.unmatchedOffs;
                }
            }
        }
        for (const auto& [key, n] : on)
            t.hanging += n;
        m.tracks.push_back(t);
        at = end;
    }
    if (at != b.size())
        m.error = "bytes after the last track";
    return m;
}

// ------------------------------------------------------------- FluidSynth

// Collects what FluidSynth reports while a test runs, and puts the usual
// reporting back afterwards.
struct FluidLog {
    static std::vector<std::string>& messages()
    {
        static std::vector<std::string> m;
        return m;
    }
    static void collect(int level, const char* message, void*)
    {
        messages().push_back(std::to_string(level) + ": " + message);
    }
    FluidLog()
    {
        messages().clear();
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN})
            fluid_set_log_function(level, &FluidLog::collect, nullptr);
    }
    ~FluidLog()
    {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN})
            fluid_set_log_function(level, fluid_default_log_function, nullptr);
    }
};

struct Rendering {
    bool loaded = false;
    double seconds = 0;   // until the player reached the end of the tracks
    double peak = 0, rms = 0;
    double tailPeak = 0;  // the last half second of a three-second tail
    int voicesAfterTail = -1;
};

// Plays a MIDI file through a synth with no audio driver, as fast as it can
// compute: the player follows the synth's sample clock.
Rendering render(const QByteArray& midi)
{
    Rendering r;
    constexpr int kRate = 22050, kBlock = 512;
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", kRate);
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_player_t* player = nullptr;
    if (synth && fluid_synth_sfload(synth, soundFont().constData(), 1) != FLUID_FAILED) {
        player = new_fluid_player(synth);
        r.loaded = player && fluid_player_add_mem(player, midi.constData(), size_t(midi.size())) == FLUID_OK
                   && fluid_player_play(player) == FLUID_OK;
    }
    if (r.loaded) {
        std::vector<float> left(kBlock), right(kBlock);
        double sum = 0;
        long frames = 0;
        const long limit = long(kRate) * 300;  // five minutes at most
        long endFrame = 0;
        while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING && frames < limit) {
            fluid_synth_write_float(synth, kBlock, left.data(), 0, 1, right.data(), 0, 1);
            for (int i = 0; i < kBlock; ++i) {
                const double v = std::max(std::abs(left[i]), std::abs(right[i]));
                r.peak = std::max(r.peak, v);
                sum += double(left[i]) * left[i] + double(right[i]) * right[i];
            }
            frames += kBlock;
            // the player reports done only once the last notes have died
            // away; the track itself ends at its last tick
            if (!endFrame && fluid_player_get_current_tick(player) >= fluid_player_get_total_ticks(player))
                endFrame = frames;
        }
        r.seconds = double(endFrame ? endFrame : frames) / kRate;
        r.rms = frames ? std::sqrt(sum / (2.0 * frames)) : 0;
        const long tail = 3L * kRate, quiet = tail - kRate / 2;
        for (long done = 0; done < tail; done += kBlock) {
            fluid_synth_write_float(synth, kBlock, left.data(), 0, 1, right.data(), 0, 1);
            if (done >= quiet)
                for (int i = 0; i < kBlock; ++i)
                    r.tailPeak = std::max({r.tailPeak, double(std::abs(left[i])), double(std::abs(right[i]))});
        }
        r.voicesAfterTail = fluid_synth_get_active_voice_count(synth);
    }
    if (player)
        delete_fluid_player(player);
    if (synth)
        delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return r;
}

}  // namespace

TEST(Sounds, EveryEffectIsAShortCleanMonoWave)
{
    for (const WavSpec& wanted : kWavs) {
        SCOPED_TRACE("WAV " + std::to_string(wanted.number));
        const QByteArray bytes = resources::load("WAV", wanted.number);
        EXPECT_GE(bytes.size(), kWavMinBytes);
        EXPECT_LE(bytes.size(), kWavMaxBytes);
        const Wav w = decodeWav(bytes);
        ASSERT_EQ(w.format, 1);  // PCM
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.rate, wanted.rate);
        EXPECT_EQ(w.bits, 16);
        ASSERT_FALSE(w.samples.empty());
        EXPECT_NEAR(double(w.samples.size()) / w.rate, wanted.seconds, 0.002);

        double peak = 0, sum = 0;
        for (double s : w.samples) {
            peak = std::max(peak, std::abs(s));
            sum += s * s;
        }
        const double peakDb = 20 * std::log10(peak);
        const double rmsDb = 10 * std::log10(sum / double(w.samples.size()));
        EXPECT_LE(peakDb, -2.0) << "too close to clipping";
        EXPECT_GE(peakDb, -7.0) << "much quieter than the others";
        EXPECT_GE(rmsDb, -32.0) << "next to silent";

        // no click: it begins and ends at rest, rising from zero without a
        // step (the wooden clicks rise fast, but not in one sample) and
        // fading out over its last millisecond
        const size_t ms = size_t(w.rate / 1000);
        double head = 0, tail = 0;
        for (size_t i = 0; i < ms; ++i) {
            if (i < ms / 4)
                head = std::max(head, std::abs(w.samples[i]));
            tail = std::max(tail, std::abs(w.samples[w.samples.size() - 1 - i]));
        }
        EXPECT_LT(head, 0.1);
        EXPECT_LT(tail, 0.005);
        EXPECT_LT(std::abs(w.samples.front()), 0.001);
        EXPECT_LT(std::abs(w.samples.back()), 0.001);
    }
}

TEST(Sounds, TheMovesSoundDifferent)
{
    // a random one of the six each time: no two may be the same sound
    std::vector<QByteArray> moves;
    for (int n = 105; n <= 110; ++n)
        moves.push_back(resources::load("WAV", n).mid(44));
    for (size_t i = 0; i < moves.size(); ++i)
        for (size_t j = i + 1; j < moves.size(); ++j)
            EXPECT_NE(moves[i], moves[j]) << 105 + i << " and " << 105 + j;
}

TEST(Music, EveryTrackIsAWellFormedType1File)
{
    for (const MidiSpec& wanted : kMidis) {
        SCOPED_TRACE("MIDI " + std::to_string(wanted.number));
        const QByteArray bytes = resources::load("MIDI", wanted.number);
        EXPECT_GE(bytes.size(), kMidiMinBytes);
        EXPECT_LE(bytes.size(), kMidiMaxBytes);
        const Midi m = parseMidi(bytes);
        ASSERT_EQ(m.error, "");
        EXPECT_EQ(m.type, 1);
        EXPECT_GT(m.division, 0);  // ticks per quarter, not SMPTE
        ASSERT_EQ(m.tracks.size(), size_t(wanted.parts + 1));
        EXPECT_EQ(m.tracks[0].name, wanted.title);
        EXPECT_EQ(m.tracks[0].notes, 0) << "the conductor track plays no notes";
        for (const MidiTrack& t : m.tracks) {
            SCOPED_TRACE(t.name);
            EXPECT_TRUE(t.endsWithEndOfTrack);
            EXPECT_EQ(t.unmatchedOffs, 0);
            EXPECT_EQ(t.hanging, 0);
        }
        for (size_t k = 1; k < m.tracks.size(); ++k)
            EXPECT_GT(m.tracks[k].notes, 0) << m.tracks[k].name;
    }
}

TEST(Music, EveryTrackPlaysInFluidSynthToItsEndAndFallsSilent)
{
    ASSERT_FALSE(soundFont().isEmpty()) << "no SoundFont: install timgm6mb-soundfont (scripts/deps.sh)";
    for (const MidiSpec& wanted : kMidis) {
        SCOPED_TRACE("MIDI " + std::to_string(wanted.number));
        FluidLog log;
        const Rendering r = render(resources::load("MIDI", wanted.number));
        ASSERT_TRUE(r.loaded);
        EXPECT_TRUE(FluidLog::messages().empty()) << FluidLog::messages().front();
        EXPECT_NEAR(r.seconds, wanted.seconds, 3.0);
        EXPECT_GT(r.rms, 0.002) << "next to silent";
        EXPECT_LT(r.peak, 0.9) << "too loud";
        EXPECT_EQ(r.voicesAfterTail, 0) << "a note is still sounding";
        EXPECT_LT(r.tailPeak, 1e-4);
    }
}

// The music as the game plays it (its synthesizer, gain and effects) sits
// within 10 dB of the sound effects' loudness, and never clips.
TEST(Music, TheMusicIsNotDrownedByTheEffects)
{
    ASSERT_FALSE(soundFont().isEmpty()) << "no SoundFont: install timgm6mb-soundfont (scripts/deps.sh)";
    double effects = 0;
    for (const WavSpec& wanted : kWavs) {
        const Wav w = decodeWav(resources::load("WAV", wanted.number));
        double sum = 0;
        for (double v : w.samples)
            sum += v * v;
        effects += 10 * std::log10(sum / double(w.samples.size()));
    }
    effects /= std::size(kWavs);

    const int rate = synth::sampleRate();
    for (const MidiSpec& wanted : kMidis) {
        SCOPED_TRACE("MIDI " + std::to_string(wanted.number));
        auto player = synth::MidiPlayer::create(resources::load("MIDI", wanted.number));
        ASSERT_TRUE(player);
        player->start();
        std::vector<float> block(2 * 1024);
        double sum = 0, peak = 0;
        long frames = 0;
        while (!player->finished() && frames < 60L * rate) {  // the first minute
            player->render(block.data(), 1024);
            for (float v : block) {
                sum += double(v) * v;
                peak = std::max(peak, double(std::abs(v)));
            }
            frames += 1024;
        }
        const double music = 10 * std::log10(sum / (2.0 * frames));
        EXPECT_GT(music, effects - 10) << "music " << music << " dBFS, effects " << effects;
        EXPECT_LT(peak, 0.95) << "clips";
    }
}
