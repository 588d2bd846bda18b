#pragma once
// The General MIDI synthesizer that plays the music: FluidSynth in-process,
// with the SoundFont Debian installs. The synthesizer is made once, at the
// first track, and kept for the run; each track gets its own player on it.
// FluidSynth's own messages are kept off the terminal.
//
// A player is rendered by whoever calls render(): the audio output's thread in
// the game, a plain loop in tests. Calls from another thread while the audio
// thread renders need the audio lock.
//
// Making the synthesizer reads the SoundFont, and making a player reads the
// samples of every instrument its track plays: both take a while and belong
// on a worker thread, never on the user interface's. Samples are read on
// demand (a SoundFont of 140 MiB would otherwise fill the memory) and held
// while their track lives, so that rendering never reads the disk.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/smf.h"

#include <cstdint>
#include <memory>

namespace synth {

// Where the SoundFont is looked for; the first file found wins.
QStringList soundFontCandidates();

// The SoundFont to use, or empty when there is none.
QString findSoundFont();

// Sample rate of the synthesizer (the audio output's rate).
int sampleRate();

// The synthesizer's output gain: the music sits a few decibels under the
// sound effects, never clipping.
constexpr double kGain = 1.8;

// One MIDI track on the synthesizer. Only one should render at a time.
class MidiPlayer {
public:
    // A player holding the track, not yet started, with the samples of the
    // given instruments read. Null when no SoundFont is found or the
    // synthesizer cannot be made.
    static std::unique_ptr<MidiPlayer> create(const QByteArray& midiFile,
                                              const std::vector<smf::Timing::Preset>& presets = {});

    // Stops the track and silences every note it left sounding.
    ~MidiPlayer();
    MidiPlayer(const MidiPlayer&) = delete;
    MidiPlayer& operator=(const MidiPlayer&) = delete;

    // Starts the track from its beginning.
    void start();

    // True once the player has stopped on its own (past the end, or the data
    // could not be read).
    bool finished() const;

    // The MIDI tick the player has reached.
    int64_t currentTick() const;

    // Renders `frames` frames of interleaved stereo float into `out`.
    void render(float* out, int frames);

private:
    explicit MidiPlayer(void* player) : player_(player) {}
    void* player_;  // fluid_player_t
    std::vector<smf::Timing::Preset> pinned_;  // instruments whose samples are held
};

}  // namespace synth
