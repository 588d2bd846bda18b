#include "platform/audio.h"

#include "platform/audio_libraries.h"
#include "platform/media_engine.h"

#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>

namespace audio {

struct Device::State {
    // Guards the opening and closing of the device itself (not what it
    // plays); taken on the device worker, and by the engine's shutdown.
    std::recursive_mutex deviceMutex;
    SDL_AudioDeviceID device = 0;
    bool paused = true;  // a device with nothing to play rests: no wake-ups
    bool tried = false;
    bool sdlStarted = false;
    // Read by the audio thread, changed only under the device lock.
    MusicRenderer music;
    std::vector<float> effect;
    size_t effectPos = 0;
    // The snapshot the window reads.
    std::atomic<bool> open{false};
    std::atomic<bool> playing{false};
    std::atomic<bool> effectSounding{false};
};

using State = Device::State;

// Holds the audio thread of the device in `s` off.
class DeviceLock {
public:
    explicit DeviceLock(State& s) : s_(s)
    {
        s_.deviceMutex.lock();
        device_ = s_.device;
        if (device_ != 0)
            sdl::library().SDL_LockAudioDevice(device_);
    }
    ~DeviceLock()
    {
        if (device_ != 0)
            sdl::library().SDL_UnlockAudioDevice(device_);
        s_.deviceMutex.unlock();
    }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    State& s_;
    SDL_AudioDeviceID device_ = 0;
};

namespace {

// The running engine's device, or null.
State* state()
{
    media::Engine* e = media::Engine::current();
    return e ? &e->audioDevice().state() : nullptr;
}

void SDLCALL mix(void* userdata, Uint8* stream, int len)
{
    State& s = *static_cast<State*>(userdata);
    float* out = reinterpret_cast<float*>(stream);
    const int frames = len / static_cast<int>(sizeof(float) * kChannels);
    const size_t samples = static_cast<size_t>(frames) * kChannels;
    if (s.music)
        s.music(out, frames);
    else
        std::fill(out, out + samples, 0.0f);

    if (s.effectPos < s.effect.size()) {
        const size_t n = std::min(samples, s.effect.size() - s.effectPos);
        const float* src = s.effect.data() + s.effectPos;
        for (size_t i = 0; i < n; ++i)
            out[i] += src[i];
        s.effectPos += n;
        if (s.effectPos >= s.effect.size())
            s.effectSounding = false;
    }
    for (size_t i = 0; i < samples; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

}  // namespace

std::unique_lock<std::mutex> lockSdlGlobals()
{
    static std::mutex sdlGlobals;
    return std::unique_lock(sdlGlobals);
}

namespace {

bool openDevice(State& s)
{
    std::lock_guard lock(s.deviceMutex);
    if (s.device != 0)
        return true;
    if (s.tried)
        return false;
    s.tried = true;
    if (!sdl::library().loaded)
        return false;

    const auto sdlGlobals = lockSdlGlobals();
    // The window system, not SDL, decides how the program ends: SDL would
    // otherwise swallow SIGINT and SIGTERM.
    sdl::library().SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (!s.sdlStarted) {
        if (sdl::library().SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        s.sdlStarted = true;
    }
    SDL_AudioSpec want{};
    want.freq = kSampleRate;
    want.format = AUDIO_F32SYS;
    want.channels = kChannels;
    want.samples = 1024;
    want.callback = mix;
    want.userdata = &s;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware takes.
    s.device = sdl::library().SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (s.device == 0) {
        sdl::library().SDL_QuitSubSystem(SDL_INIT_AUDIO);
        s.sdlStarted = false;
        return false;
    }
    s.paused = true;  // opened paused; it runs while something plays
    s.open = true;
    return true;
}

// Lets the device run; called with the audio lock held.
void resume(State& s)
{
    if (s.device != 0 && s.paused) {
        s.paused = false;
        s.playing = true;
        sdl::library().SDL_PauseAudioDevice(s.device, 0);
    }
}

bool silent(const State& s)
{
    return !s.music && s.effectPos >= s.effect.size();
}

// Closes a resting device: even paused, SDL's audio thread wakes for every
// buffer. On the device worker, as closing waits for that thread to end.
void closeIfSilent()
{
    State* s = state();
    if (!s)
        return;
    std::lock_guard lock(s->deviceMutex);
    if (s->device != 0 && s->paused && silent(*s)) {
        sdl::library().SDL_CloseAudioDevice(s->device);
        s->device = 0;
        s->open = false;
        s->tried = false;  // opened again for the next sound
    }
}

// Rests the device when neither music nor an effect is playing, and closes it
// a moment later.
void pauseIfSilent(State& s)
{
    DeviceLock lock(s);
    if (s.device != 0 && !s.paused && silent(s)) {
        s.paused = true;
        s.playing = false;
        sdl::library().SDL_PauseAudioDevice(s.device, 1);
        media::onDevice([] { closeIfSilent(); });
    }
}

// Looks again on the device worker once the effect should have ended; the
// timer runs on the user interface's thread and dies with the engine.
void pauseAfter(size_t frames)
{
    media::Engine* e = media::Engine::current();
    if (!e || !e->context())
        return;
    const int ms = int(frames * 1000 / kSampleRate) + 200;
    QMetaObject::invokeMethod(
        e->context(),
        [context = e->context(), ms] {
            QTimer::singleShot(ms, context, [] {
                media::onDevice([] {
                    if (State* s = state())
                        pauseIfSilent(*s);
                });
            });
        },
        Qt::QueuedConnection);
}

void close(State& s)
{
    std::lock_guard lock(s.deviceMutex);
    const auto sdlGlobals = lockSdlGlobals();
    if (s.device != 0)
        sdl::library().SDL_CloseAudioDevice(s.device);  // waits for the audio thread to end
    if (s.sdlStarted)
        sdl::library().SDL_QuitSubSystem(SDL_INIT_AUDIO);
    s.device = 0;
    s.paused = true;
    s.sdlStarted = false;
    s.tried = false;
    s.music = nullptr;
    s.effect.clear();
    s.effect.shrink_to_fit();
    s.effectPos = 0;
    s.open = false;
    s.playing = false;
    s.effectSounding = false;
}

}  // namespace

Device::Device() : state_(std::make_unique<State>()) {}

Device::~Device()
{
    closeNow();
}

void Device::closeNow()
{
    close(*state_);
}

bool ensureOpen()
{
    State* s = state();
    return s && openDevice(*s);
}

bool warmUp()
{
    if (!ensureOpen())
        return false;
    closeIfSilent();
    return true;
}

void loadLibraries()
{
    (void)sdl::library();
}

void forgetThread()
{
    if (sdl::isLoaded())
        sdl::library().SDL_TLSCleanup();
}

bool isOpen()
{
    const State* s = state();
    return s && s->open;
}

bool running()
{
    const State* s = state();
    return s && s->playing;
}

void shutdown()
{
    if (State* s = state())
        close(*s);
}

void setMusic(MusicRenderer renderer)
{
    State* s = state();
    if (!s)
        return;
    MusicRenderer old;
    std::lock_guard guard(s->deviceMutex);  // not closed between the two
    if (renderer && s->device == 0)
        openDevice(*s);  // it may have been closed while it rested
    {
        DeviceLock lock(*s);
        old = std::exchange(s->music, std::move(renderer));
        if (s->music)
            resume(*s);
        else
            pauseIfSilent(*s);
    }
    // The old renderer is released here, outside the audio thread's way.
}

void playEffect(std::vector<float> samples)
{
    State* s = state();
    if (!s)
        return;
    size_t frames = 0;
    {
        DeviceLock lock(*s);
        s->effect.swap(samples);
        s->effectPos = 0;
        frames = s->effect.size() / kChannels;
        s->effectSounding = s->device != 0 && frames > 0;
        if (!s->effect.empty())
            resume(*s);
        else
            pauseIfSilent(*s);
    }
    if (frames > 0)
        pauseAfter(frames);
    // `samples` now holds the cut-off sound; it is freed here, not on the audio thread.
}

bool effectPlaying()
{
    const State* s = state();
    return s && s->effectSounding;
}

AudioLock::AudioLock() : lock_(state() ? std::make_unique<DeviceLock>(*state()) : nullptr) {}

AudioLock::~AudioLock() = default;

}  // namespace audio
