#include "platform/audio.h"

#include <QCoreApplication>
#include <QTimer>

#include "platform/worker.h"

#include "platform/audio_libraries.h"

#include <algorithm>
#include <mutex>
#include <utility>

namespace audio {

namespace {

struct State {
    SDL_AudioDeviceID device = 0;
    bool paused = true;  // a device with nothing to play rests: no wake-ups
    bool tried = false;
    bool sdlStarted = false;
    // Read by the audio thread, changed only under the device lock.
    MusicRenderer music;
    std::vector<float> effect;
    size_t effectPos = 0;
};

// Guards the opening and closing of the device itself (not what it plays).
std::recursive_mutex deviceMutex;

// Never freed: the audio thread may still run while the process ends.
State& state()
{
    static State* s = new State;
    return *s;
}

void SDLCALL mix(void* /*userdata*/, Uint8* stream, int len)
{
    State& s = state();
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
    }
    for (size_t i = 0; i < samples; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

}  // namespace

bool ensureOpen()
{
    std::lock_guard lock(deviceMutex);
    State& s = state();
    if (s.device != 0)
        return true;
    if (s.tried)
        return false;
    s.tried = true;
    if (!sdl::library().loaded)
        return false;

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
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware takes.
    s.device = sdl::library().SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (s.device == 0) {
        sdl::library().SDL_QuitSubSystem(SDL_INIT_AUDIO);
        s.sdlStarted = false;
        return false;
    }
    s.paused = true;  // opened paused; it runs while something plays
    return true;
}

namespace {

// Lets the device run; called with the audio lock held.
void resume(State& s)
{
    if (s.device != 0 && s.paused) {
        s.paused = false;
        sdl::library().SDL_PauseAudioDevice(s.device, 0);
    }
}

bool silent(const State& s)
{
    return !s.music && s.effectPos >= s.effect.size();
}

// Closes a resting device: even paused, SDL's audio thread wakes for every
// buffer. Runs on the media worker, as closing waits for that thread to end.
void closeIfSilent()
{
    std::lock_guard lock(deviceMutex);
    State& s = state();
    if (s.device != 0 && s.paused && silent(s)) {
        sdl::library().SDL_CloseAudioDevice(s.device);
        s.device = 0;
        s.tried = false;  // opened again for the next sound
    }
}

// Rests the device when neither music nor an effect is playing.
void pauseIfSilent()
{
    AudioLock lock;
    State& s = state();
    if (s.device != 0 && !s.paused && silent(s)) {
        s.paused = true;
        sdl::library().SDL_PauseAudioDevice(s.device, 1);
        worker::post([] { closeIfSilent(); });
    }
}

// Looks again once the effect should have ended (on the user interface's
// thread, whose event loop runs the check, from whichever thread asks).
void pauseAfter(size_t frames)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    const int ms = int(frames * 1000 / kSampleRate) + 200;
    QMetaObject::invokeMethod(app, [app, ms] { QTimer::singleShot(ms, app, [] { pauseIfSilent(); }); },
                              Qt::QueuedConnection);
}

}  // namespace

void openInBackground()
{
    worker::post([] { ensureOpen(); });
}

bool isOpen()
{
    std::lock_guard lock(deviceMutex);
    return state().device != 0;
}

bool running()
{
    std::lock_guard lock(deviceMutex);
    return state().device != 0 && !state().paused;
}

void shutdown()
{
    std::lock_guard lock(deviceMutex);
    State& s = state();
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
}

void setMusic(MusicRenderer renderer)
{
    MusicRenderer old;
    if (renderer && !isOpen())
        ensureOpen();  // it may have been closed while it rested
    {
        AudioLock lock;
        old = std::exchange(state().music, std::move(renderer));
        if (state().music)
            resume(state());
        else
            pauseIfSilent();
    }
    // The old renderer is released here, outside the audio thread's way.
}

void playEffect(std::vector<float> samples)
{
    size_t frames = 0;
    {
        AudioLock lock;
        State& s = state();
        s.effect.swap(samples);
        s.effectPos = 0;
        frames = s.effect.size() / kChannels;
        if (!s.effect.empty())
            resume(s);
        else
            pauseIfSilent();
    }
    if (frames > 0)
        pauseAfter(frames);
    // `samples` now holds the cut-off sound; it is freed here, not on the audio thread.
}

bool effectPlaying()
{
    AudioLock lock;
    const State& s = state();
    return s.device != 0 && s.effectPos < s.effect.size();
}

AudioLock::AudioLock()
{
    deviceMutex.lock();
    device_ = state().device;
    if (device_ != 0)
        sdl::library().SDL_LockAudioDevice(device_);
}

AudioLock::~AudioLock()
{
    if (device_ != 0)
        sdl::library().SDL_UnlockAudioDevice(device_);
    deviceMutex.unlock();
}

}  // namespace audio
