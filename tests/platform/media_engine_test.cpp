#include "platform/media_engine.h"
#include "platform/sound.h"
#include "services/seams.h"
#include "services/media.h"
#include "services/resources.h"
#include "support/audio_env.h"

#include <QDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

int threadsOfThisProcess()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

// The program's engine steps aside while a test runs engines of its own.
class MediaEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::resetAudio();
        services::seams().resourceRoot = ":/testres";
        Allgemein::Media::current()->engine().shutdown();
    }
    void TearDown() override
    {
        Allgemein::Media::current()->engine().start();
        services::seams().resourceRoot.clear();
    }
};

}  // namespace

// Started and shut down again and again while sounds are decoded, the device
// opened and an effect issued from each worker during the shutdown itself:
// every shutdown joins the workers and closes the device, leaving no thread
// behind and nothing for a late sound to touch.
TEST_F(MediaEngine, StartsAndStopsCleanlyWithSoundsDuringShutdown)
{
    const QByteArray wave = resources::load("WAV", 101);
    const std::vector<float> samples = sound::decode(wave);
    ASSERT_FALSE(samples.empty());
    const int threadsBefore = threadsOfThisProcess();
    for (int round = 0; round < 12; ++round) {
        std::atomic<bool> stopping{false};
        {
            media::Engine engine{round % 2 ? media::Engine::Sound::AfterFirstPaint
                                           : media::Engine::Sound::Now};
            ASSERT_EQ(media::Engine::current(), &engine);
            engine.startSound();
            sound::playInBackground(wave);
            if (round % 3 == 0)
                engine.waitUntilIdle();
            media::onDevice([&stopping, samples] {
                while (!stopping)
                    std::this_thread::yield();
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                if (audio::ensureOpen())
                    audio::playEffect(samples);
                sound::playInBackground(QByteArray());
            });
            media::onDecoder([&stopping, wave] {
                while (!stopping)
                    std::this_thread::yield();
                sound::playInBackground(wave);
            });
            stopping = true;
        }  // shut down here
        EXPECT_EQ(media::Engine::current(), nullptr);
        EXPECT_FALSE(audio::isOpen());
        // A sound after the end plays nothing and fails nowhere.
        sound::playInBackground(wave);
        EXPECT_FALSE(sound::playFromMemory(wave));
        // Timers and queued calls aimed at the engine died with it.
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(threadsOfThisProcess(), threadsBefore);
}

// Sound started ahead of the first effect leaves no device open to wake for
// every buffer while all is silent, also when the hold-back's longest wait
// ends after the room has let sound start; the next effect still plays.
TEST_F(MediaEngine, SoundStartsOnceAndTheSilentDeviceStaysClosed)
{
    media::Engine engine{media::Engine::Sound::AfterFirstPaint};
    engine.startSound();
    engine.waitUntilIdle();
    EXPECT_FALSE(audio::isOpen());
    engine.startSound();
    engine.waitUntilIdle();
    EXPECT_FALSE(audio::isOpen());
    sound::playInBackground(resources::load("WAV", 101));
    engine.waitUntilIdle();
    EXPECT_TRUE(audio::isOpen());
}
