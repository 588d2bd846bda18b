#include "platform/sound.h"

#include "platform/audio.h"
#include "platform/audio_libraries.h"
#include "platform/media_engine.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>

namespace sound {

namespace {

// SDL takes memory for a chunk's declared length before it reads the chunk,
// so a few bytes claiming a 4 GB data chunk would cost 4 GB. A chunk that
// claims more than the data hold (a cut-off or broken file) is cut to what is
// there, which is all SDL could read of it anyway.
QByteArray withChunksThatFit(const QByteArray& wave)
{
    QByteArray fitted = wave;
    // Chunks follow "RIFF", its length and "WAVE"; SDL also takes data that
    // begin at "WAVE" without the RIFF header.
    qsizetype pos;
    if (fitted.startsWith("RIFF"))
        pos = 12;
    else if (fitted.startsWith("WAVE"))
        pos = 4;
    else
        return fitted;
    while (pos + 8 <= fitted.size()) {
        const qsizetype left = fitted.size() - pos - 8;
        quint32 length = qFromLittleEndian<quint32>(fitted.constData() + pos + 4);
        if (length > left) {
            length = static_cast<quint32>(left);
            qToLittleEndian<quint32>(length, fitted.data() + pos + 4);
        }
        pos += 8 + length + (length & 1);  // chunks start at even offsets
    }
    return fitted;
}

}  // namespace

std::vector<float> decode(const QByteArray& wave)
{
    std::vector<float> out;
    if (wave.isEmpty() || wave.size() > std::numeric_limits<int>::max() || !sdl::library().loaded)
        return out;
    const QByteArray fitted = withChunksThatFit(wave);
    const auto sdlGlobals = audio::lockSdlGlobals();
    SDL_RWops* rw =
        sdl::library().SDL_RWFromConstMem(fitted.constData(), static_cast<int>(fitted.size()));
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
            // Less than one sample comes out of a wave of a byte or two.
            out.resize(static_cast<size_t>(std::max(cvt.len_cvt, 0)) / sizeof(float));
            if (!out.empty())
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

void playInBackground(const QByteArray& wave)
{
    // Decoded at low priority, played from the device worker, which opens the
    // device at normal priority; both keep the order the sounds came in.
    media::onDecoder([wave] {
        media::onDevice([samples = decode(wave)]() mutable {
            if (audio::ensureOpen())
                audio::playEffect(std::move(samples));  // an empty one still cuts off the old sound
        });
    });
}

}  // namespace sound
