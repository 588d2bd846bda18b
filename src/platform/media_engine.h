#pragma once
// The media engine: the one owner of what plays sound and music — the two
// media workers, the audio device and the track open under the alias "midi".
// The program makes it after the application object and shuts it down before
// that is destroyed: both workers joined, the track released, the device and
// SDL's audio closed, nothing left running. Without a running engine every
// sound is silent, every job for the workers is dropped and the music alias
// cannot be opened.
//
// The workers: `device` runs at normal priority and is the only thread that
// opens, resumes, pauses and closes the device (SDL's mixing thread takes the
// priority of the thread that opens the device); `decoder` runs niced and
// decodes sounds and reads the music's samples. Jobs may be held back while
// the window is first drawn (startSound() lets them go).

#include "platform/audio.h"
#include "platform/mci.h"
#include "platform/worker.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

namespace media {

class Engine {
public:
    enum class Sound { Now, AfterFirstPaint };

    // Starts it and makes it the current engine (there is one at a time).
    // With AfterFirstPaint the workers hold their jobs back until
    // startSound() (or a few seconds at most).
    explicit Engine(Sound sound = Sound::Now);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Ends everything it runs (see above); it is then no longer current.
    // start() takes it up again. Only from the thread that made it.
    void shutdown();
    void start(Sound sound = Sound::Now);

    // The engine running now, or null.
    static Engine* current();

    worker::Worker& device() { return device_; }
    worker::Worker& decoder() { return decoder_; }
    audio::Device& audioDevice() { return audio_; }
    mci::Alias& alias() { return alias_; }

    // Lives on the user interface's thread while the engine runs: queued
    // calls and timers aimed at it die with the engine.
    QObject* context() const { return context_.get(); }

    // Lets held-back jobs run and starts the device's sound system ahead of
    // the first sound (the device itself rests closed while nothing plays);
    // once for each start of the engine (a second call, such as the end of
    // the hold-back's longest wait, does nothing).
    void startSound();

    // Waits until both workers have run every job posted so far.
    void waitUntilIdle();

private:
    worker::Worker decoder_{worker::Priority::Low, audio::forgetThread};
    worker::Worker device_{worker::Priority::Normal, audio::forgetThread};
    audio::Device audio_;
    mci::Alias alias_;
    std::unique_ptr<QObject> context_;
    bool running_ = false;
    bool soundStarted_ = false;
};

// Posts a job to the current engine's worker; dropped without one.
void onDevice(std::function<void()> job);
void onDecoder(std::function<void()> job);

// Sound and music may start: the room has been painted once. The one call
// that ends the hold-back at start-up.
void startSound();

}  // namespace media
