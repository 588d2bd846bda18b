#include "platform/media_engine.h"

#include <QTimer>

#include <cassert>

namespace media {

namespace {

std::atomic<Engine*> currentEngine{nullptr};

// The longest the sound waits for the room's first paint.
constexpr int kLongestHoldBackMs = 3000;

}  // namespace

Engine::Engine(Sound sound)
{
    start(sound);
}

Engine::~Engine()
{
    shutdown();
}

void Engine::start(Sound sound)
{
    if (running_)
        return;
    Engine* none = nullptr;
    const bool alone = currentEngine.compare_exchange_strong(none, this);
    assert(alone && "one media engine at a time");
    (void)alone;
    decoder_.start();
    device_.start();
    context_ = std::make_unique<QObject>();
    running_ = true;
    soundStarted_ = false;
    if (sound == Sound::AfterFirstPaint) {
        decoder_.holdBack();
        device_.holdBack();
        QTimer::singleShot(kLongestHoldBackMs, context_.get(), [this] { startSound(); });
    }
}

void Engine::shutdown()
{
    if (!running_)
        return;
    running_ = false;
    // No job is begun from now on; a job still running may post more, which
    // are dropped. The decoder first: its jobs hand their results to the device.
    decoder_.stop();
    device_.stop();
    // Only this thread and the device's own one are left.
    alias_.closeNow();
    audio_.closeNow();
    context_.reset();
    currentEngine = nullptr;
}

Engine* Engine::current()
{
    return currentEngine.load();
}

void Engine::startSound()
{
    // Opened again after the device has closed while silent, it would stay
    // open and wake for nothing until the next sound.
    if (!running_ || soundStarted_)
        return;
    soundStarted_ = true;
    // SDL's libraries are loaded at low priority (they are many, and the
    // window may still be drawing); the device is opened at normal priority.
    decoder_.post([this] {
        audio::loadLibraries();
        device_.post([] { audio::warmUp(); });
    });
    device_.release();
    decoder_.release();
}

void Engine::waitUntilIdle()
{
    // A decoder job may post to the device and the other way round.
    for (int round = 0; round < 3; ++round) {
        decoder_.waitUntilIdle();
        device_.waitUntilIdle();
    }
}

void onDevice(std::function<void()> job)
{
    if (Engine* e = Engine::current())
        e->device().post(std::move(job));
}

void onDecoder(std::function<void()> job)
{
    if (Engine* e = Engine::current())
        e->decoder().post(std::move(job));
}

void startSound()
{
    if (Engine* e = Engine::current())
        e->startSound();
}

}  // namespace media
