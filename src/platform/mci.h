#pragma once
// The media control interface as the game uses it: command strings that open,
// play, query and close a MIDI track under the alias "midi".
//
//   "open sequencer!<path> alias midi"   reads the whole file; fails while the
//                                        alias is open
//   "play midi"                          starts the track, or lets an open one
//                                        go on from where it is (a track that
//                                        has ended stays at its end)
//   "status midi length"                 the track's length, milliseconds
//   "status midi position"               where it is, milliseconds; equal to
//                                        the length once it has ended
//   "close midi"                         stops it and releases the file
//
// While the alias is open, the file carries a shared lock (flock), so that
// nobody writes a new track over it. The music plays through the synthesizer
// and the audio output; without a SoundFont or an audio device the track
// "plays" silently: the answers are the same and the position follows the
// clock. Commands are matched without regard to case. Nothing here fails:
// every problem is an error code.

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace mci {

// The track open under the alias; owned by the media engine (without a
// running engine "open" answers InternalError).
class Alias {
public:
    Alias();
    ~Alias();
    Alias(const Alias&) = delete;
    Alias& operator=(const Alias&) = delete;

    // Closes the track at once (the engine's shutdown, once its workers are
    // joined).
    void closeNow();

    struct Track;
    std::unique_ptr<Track>& track() { return track_; }

private:
    std::unique_ptr<Track> track_;
};

// The answers (0 or the media control interface's error numbers).
enum Error : int {
    Ok = 0,
    UnrecognizedKeyword = 259,
    UnrecognizedCommand = 261,
    InvalidDeviceName = 263,    // no device is open under that alias
    OutOfMemory = 264,
    MissingCommandString = 267,
    FileNotFound = 275,         // missing, unreadable or being written
    InternalError = 277,
    DuplicateAlias = 289,       // the alias is open already
    InvalidFile = 296,          // no standard MIDI file
};

// Whether the open track sounds (synthesizer and audio device at hand, its
// samples read). The device is opened on the media engine's device worker
// and the synthesizer, SoundFont and samples made ready on its decoder after
// "open": until then the track is silent, "play" is remembered and its
// position stays at 0; the music starts a little later. The answers come from
// a snapshot the audio thread keeps: asking never waits for the device.
bool audible();

// Whether the worker is still making the open track ready.
bool loading();

// Waits until the media engine's workers have nothing left to do (tests).
void waitForWorker();

}  // namespace mci

// Sends a command string. Returns 0 or an error code; `returnText`, when
// given, receives the answer ("" for commands without one).
int mciSendString(const QString& command, QString* returnText = nullptr);
