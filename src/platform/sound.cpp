#include "platform/sound.h"

#include "platform/audio.h"

#include "platform/audio_libraries.h"

#include <cstring>

namespace sound {

std::vector<float> decode(const QByteArray& wave)
{
    std::vector<float> out;
    if (wave.isEmpty() || !sdl::library().loaded)
        return out;
    SDL_RWops* rw = sdl::library().SDL_RWFromConstMem(wave.constData(), static_cast<int>(wave.size()));
    if (!rw)
        return out;
    SDL_AudioSpec wanted{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!sdl::library().SDL_LoadWAV_RW(rw, 1, &wanted, &buffer, &length))
        return out;

    SDL_AudioCVT cvt{};
    const int built = sdl::library().SDL_BuildAudioCVT(&cvt, wanted.format, wanted.channels, wanted.freq,
                                        AUDIO_F32SYS, audio::kChannels, audio::kSampleRate);
    // A sound effect of more than 16 MB is no sound effect.
    if (built >= 0 && length > 0 && length <= 16u * 1024 * 1024) {
        std::vector<Uint8> work(static_cast<size_t>(length) * static_cast<size_t>(cvt.len_mult));
        std::memcpy(work.data(), buffer, length);
        cvt.buf = work.data();
        cvt.len = static_cast<int>(length);
        if (built == 0)
            cvt.len_cvt = cvt.len;  // already in the output format
        if (built == 0 || sdl::library().SDL_ConvertAudio(&cvt) == 0) {
            out.resize(static_cast<size_t>(cvt.len_cvt) / sizeof(float));
            std::memcpy(out.data(), work.data(), out.size() * sizeof(float));
        }
    }
    sdl::library().SDL_FreeWAV(buffer);
    // Whole frames only.
    out.resize(out.size() - out.size() % audio::kChannels);
    return out;
}

bool playFromMemory(const QByteArray& wave)
{
    if (!audio::ensureOpen())
        return false;
    std::vector<float> samples = decode(wave);
    const bool playing = !samples.empty();
    audio::playEffect(std::move(samples));  // an empty one still cuts off the old sound
    return playing;
}

}  // namespace sound
