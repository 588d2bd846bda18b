#include "platform/audio.h"
#include "platform/sound.h"
#include "services/resources.h"
#include "services/seams.h"
#include "support/audio_env.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using testsupport::ScopedEnv;

namespace {

class Sound : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::resetAudio();
        services::seams().resourceRoot = ":/testres";
    }
    void TearDown() override
    {
        testsupport::resetAudio();
        services::resetSeams();
    }
};

// The loudest sample the disk driver wrote (float stereo, as the device runs).
float loudest(const QByteArray& raw)
{
    float peak = 0;
    for (qsizetype i = 0; i + 4 <= raw.size(); i += 4) {
        float x;
        std::memcpy(&x, raw.constData() + i, 4);
        peak = std::max(peak, std::fabs(x));
    }
    return peak;
}

}  // namespace

TEST_F(Sound, WaveIsConvertedToTheOutputFormat)
{
    // 0.15 s of a 440 Hz tone, 16-bit mono at 22050 Hz.
    const std::vector<float> samples = sound::decode(resources::load("WAV", 101));
    const double frames = double(samples.size()) / audio::kChannels;
    EXPECT_NEAR(frames, 0.15 * audio::kSampleRate, 0.01 * audio::kSampleRate);
    EXPECT_EQ(samples.size() % audio::kChannels, 0u);
    float peak = 0;
    for (float x : samples)
        peak = std::max(peak, std::fabs(x));
    EXPECT_NEAR(peak, 12000.0 / 32768.0, 0.03);
}

TEST_F(Sound, DataThatIsNoWaveStaysSilent)
{
    ASSERT_TRUE(audio::ensureOpen());  // the dummy driver
    ASSERT_TRUE(sound::playFromMemory(resources::load("WAV", 101)));
    for (const QByteArray& bad : {resources::load("WAV", 110), QByteArray(),
                                  QByteArray("RIFF"), resources::load("MIDI", 1001)}) {
        EXPECT_TRUE(sound::decode(bad).empty());
        EXPECT_FALSE(sound::playFromMemory(bad));
        EXPECT_FALSE(audio::effectPlaying());  // and the sound before it was cut off
    }
}

TEST_F(Sound, AChunkClaimingMoreThanTheFileHoldsPlaysWhatIsThere)
{
    // 16 samples of 8-bit a-law whose data chunk says it holds almost 4 GB:
    // what is there plays, and no memory is taken for what is not.
    QByteArray honest("RIFF\x34\0\0\0WAVEfmt \x10\0\0\0\x06\0\x01\0\x40\x1f\0\0"
                      "\x40\x1f\0\0\x01\0\x08\0data\x10\0\0\0", 44);
    for (int i = 0; i < 16; ++i)
        honest.append(char(i * 16));
    QByteArray boastful = honest;
    boastful[43] = char(0xEF);
    const std::vector<float> expected = sound::decode(honest);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(sound::decode(boastful), expected);
    EXPECT_EQ(sound::decode(boastful.mid(8)), expected);  // the same without "RIFF" and length
    boastful.chop(5);  // and cut short as well
    EXPECT_EQ(sound::decode(boastful).size(), sound::decode(honest.left(honest.size() - 5)).size());
}

TEST_F(Sound, AWaveTooShortForOneSampleIsSilent)
{
    // 16-bit mono at some 3 MHz holding a sample and a half: after the
    // conversion to 44100 Hz not one sample is left.
    const QByteArray wave("RIFF\x30\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\0\x30\0"
                          "\x88\x58\x01\0\x02\0\x10\0data\x03\0\0\0\x01\x02\x03\0", 48);
    EXPECT_TRUE(sound::decode(wave).empty());
}

TEST_F(Sound, WithoutDeviceNothingPlaysAndNothingFails)
{
    ScopedEnv noDevice("SDL_AUDIODRIVER", "no-such-driver");
    EXPECT_FALSE(audio::ensureOpen());
    EXPECT_FALSE(sound::playFromMemory(resources::load("WAV", 101)));
    EXPECT_FALSE(audio::effectPlaying());
}

// The disk driver writes what the device plays into a file.
class DiskAudio : public Sound {
protected:
    QTemporaryDir dir;
    QString output = dir.filePath("out.raw");
    ScopedEnv driver{"SDL_AUDIODRIVER", "disk"};
    ScopedEnv file{"SDL_DISKAUDIOFILE", QFile::encodeName(output)};

    QByteArray played()
    {
        audio::shutdown();
        return testsupport::readFile(output);
    }
};

TEST_F(DiskAudio, WaveComesOutOfTheDevice)
{
    ASSERT_TRUE(sound::playFromMemory(resources::load("WAV", 101)));
    EXPECT_TRUE(testsupport::waitFor([] { return !audio::effectPlaying(); }));
    EXPECT_NEAR(loudest(played()), 12000.0 / 32768.0, 0.03);
}

TEST_F(DiskAudio, TheDeviceRestsWhileNothingPlays)
{
    // Opened for a sound, it runs while the sound plays and rests after it.
    ASSERT_TRUE(audio::ensureOpen());
    EXPECT_FALSE(audio::running());
    ASSERT_TRUE(sound::playFromMemory(resources::load("WAV", 101)));
    EXPECT_TRUE(audio::running());
    EXPECT_TRUE(testsupport::waitFor([] { return !audio::running(); }));
    EXPECT_FALSE(audio::effectPlaying());
    mci::waitForWorker();
    EXPECT_FALSE(audio::isOpen());  // closed: no audio thread wakes
    // The next sound opens it again.
    ASSERT_TRUE(sound::playFromMemory(resources::load("WAV", 101)));
    EXPECT_TRUE(audio::running());
    EXPECT_TRUE(testsupport::waitFor([] { return !audio::running(); }));
    // Music wakes it until it is taken off.
    audio::setMusic([](float* out, int frames) { std::fill(out, out + 2 * frames, 0.0f); });
    EXPECT_TRUE(audio::running());
    audio::setMusic(nullptr);
    EXPECT_FALSE(audio::running());
}

TEST_F(DiskAudio, NewSoundCutsOffTheOldOne)
{
    ASSERT_TRUE(sound::playFromMemory(resources::load("WAV", 101)));
    ASSERT_FALSE(sound::playFromMemory(resources::load("WAV", 110)));
    EXPECT_FALSE(audio::effectPlaying());
}

TEST_F(DiskAudio, MusicComesOutOfTheDevice)
{
    if (synth::findSoundFont().isEmpty())
        GTEST_SKIP() << "no SoundFont installed";
    const QString track = dir.filePath("~tmp.mid");
    ASSERT_TRUE(testsupport::writeFile(track, resources::load("MIDI", 1002)));
    ASSERT_EQ(mciSendString("open sequencer!" + track + " alias midi"), 0);
    ASSERT_EQ(mciSendString("play midi"), 0);
    EXPECT_TRUE(testsupport::waitFor([] {
        QString position;
        mciSendString("status midi position", &position);
        return position == "400";
    }));
    EXPECT_TRUE(mci::audible());
    mciSendString("close midi");
    EXPECT_GT(loudest(played()), 0.01f);
}
