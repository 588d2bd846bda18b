#pragma once
// The game's one audio output: an SDL2 device, opened when first needed, that
// mixes the music and the sound effect playing now (one at a time). Without a
// device everything here is silent and nothing fails.
//
// The device runs its own thread; whatever it reads is handed over under the
// device lock (AudioLock). It belongs to the media engine (media_engine.h):
// without a running engine there is no device. It is opened, resumed, paused
// and closed on the engine's device worker only; what the window asks
// (isOpen, running, effectPlaying) is read from a snapshot, never under the
// device lock.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace audio {

// The device and what it plays; owned by the media engine.
class Device {
public:
    Device();
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Closes the device and SDL's audio at once (the engine's shutdown).
    void closeNow();

    struct State;
    State& state() { return *state_; }

private:
    std::unique_ptr<State> state_;
};

// The device format every source delivers: interleaved stereo float.
constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;

// Opens the device at the first call and tells whether one runs. A device
// that cannot be opened is not tried again until shutdown().
bool ensureOpen();

// Opens the device once ahead of the first sound, so that SDL's audio is
// started, and closes it again at once while nothing plays: an open device
// wakes for every buffer even at rest. The next sound opens it quickly.
bool warmUp();

// SDL keeps its hints and subsystems in globals that are not safe to read on
// one thread while another changes them: the device's opening and closing and
// the decoding of sounds each hold this lock over their calls into SDL.
std::unique_lock<std::mutex> lockSdlGlobals();

// Loads SDL's libraries (on a worker: it takes a while the first time).
void loadLibraries();

// Frees what SDL keeps for the calling thread (a thread SDL did not make
// keeps it otherwise); at the end of a thread that used SDL.
void forgetThread();

// Whether the device runs (without trying to open it).
bool isOpen();

// Whether the open device is playing now. It rests while neither music nor a
// sound effect is playing: paused at once, then closed on the media worker,
// so that no audio thread wakes while nothing sounds. A new effect or music
// opens and wakes it; it rests again shortly after the effect ends.
bool running();

// Closes the device and SDL's audio; music and effect are dropped. The next
// ensureOpen() opens afresh. The caller waits for the device's thread to end.
void shutdown();

// The music (on the device worker; it opens the device when closed): called on the audio thread to write `frames` stereo frames into
// `out` (overwriting it). An empty function takes the music off.
using MusicRenderer = std::function<void(float* out, int frames)>;
void setMusic(MusicRenderer renderer);

// Starts a sound effect (stereo frames at kSampleRate), cutting off the one
// still playing. An empty effect just stops the old one.
void playEffect(std::vector<float> samples);

// Whether a sound effect is still playing.
bool effectPlaying();

// Holds the audio thread off while it lives, so that whatever it reads can be
// changed safely. Does nothing without a device. May be nested.
class DeviceLock;
class AudioLock {
public:
    AudioLock();
    ~AudioLock();
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;

private:
    std::unique_ptr<DeviceLock> lock_;
};

}  // namespace audio
