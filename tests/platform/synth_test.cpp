#include "platform/seams.h"
#include "platform/smf.h"
#include "platform/synth.h"
#include "services/resources.h"
#include "services/seams.h"
#include "support/audio_env.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Synth, MidiRenderedOfflineIsNotSilent)
{
    testsupport::resetAudio();
    if (synth::findSoundFont().isEmpty())
        GTEST_SKIP() << "no SoundFont installed";
    services::seams().resourceRoot = ":/testres";
    const QByteArray midi = resources::load("MIDI", 1006);
    services::seams().resourceRoot.clear();
    const auto timing = smf::Timing::parse(std::string_view(midi.constData(), midi.size()));
    ASSERT_TRUE(timing);

    auto player = synth::MidiPlayer::create(midi);
    ASSERT_TRUE(player);
    player->start();
    std::vector<float> block(2 * 512);
    float peak = 0;
    int blocks = 0;
    // Rendered until the player is past the track's end (750 ms), at most 3 seconds.
    for (; blocks * 512 < 3 * synth::sampleRate()
           && player->currentTick() < timing->totalTicks();
         ++blocks) {
        player->render(block.data(), 512);
        for (float x : block)
            peak = std::max(peak, std::fabs(x));
    }
    EXPECT_GT(peak, 0.01f);
    EXPECT_GE(player->currentTick(), timing->totalTicks());
    const double seconds = double(blocks) * 512 / synth::sampleRate();
    EXPECT_NEAR(seconds, 0.75, 0.05);
}

TEST(Synth, NoSoundFontNoPlayer)
{
    platform::seams().soundFontCandidates = QStringList{"/nonexistent/a.sf2"};
    EXPECT_TRUE(synth::findSoundFont().isEmpty());
    EXPECT_FALSE(synth::MidiPlayer::create(QByteArray("MThd")));
    platform::resetSeams();
}
