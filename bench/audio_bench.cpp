// The music's render cost: every track of the game played through the
// synthesizer from start to end in blocks of the audio device's size (1024
// frames, 23.2 ms), as the audio thread renders them. Prints the slowest
// block of each track against its budget (goal: under half of it), the time
// the worker takes to make the synthesizer and each track ready, and the
// memory the synthesizer holds with the samples of a track (the growth of
// the process's peak).
//
//   bench_audio_bench [SOUNDFONT]     (default: the game's choice)

#include "platform/audio.h"
#include "platform/seams.h"
#include "platform/smf.h"
#include "platform/synth.h"
#include "services/resources.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// The CPU time of this thread: what a render costs, without the time the
// thread waited for a core on a busy machine.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

}  // namespace

// A figure of /proc/self/status, in KiB.
long statusKb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(strlen(key))).trimmed().split(' ').first().toLong();
    return -1;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        platform::seams().soundFontCandidates = QStringList{QString::fromLocal8Bit(argv[1])};
    const QString font = synth::findSoundFont();
    const long hwmBefore = statusKb("VmHWM:");
    if (font.isEmpty()) {
        std::printf("audio: no SoundFont installed, nothing to measure\n");
        return 0;
    }
    constexpr int kBlock = 1024;  // the device's buffer (audio.cpp)
    const double budgetMs = 1000.0 * kBlock / audio::kSampleRate;
    std::vector<float> block(2 * kBlock);
    double slowestOverall = 0;
    long peakGrowth = 0;
    std::printf("audio: SoundFont %s, block %d frames = %.1f ms\n", qPrintable(font), kBlock, budgetMs);
    for (int number = 1001; number <= 1006; ++number) {
        const QByteArray midi = resources::load(QStringLiteral("MIDI"), number);
        const auto timing = smf::Timing::parse(std::string_view(midi.constData(), midi.size()));
        if (!timing)
            continue;
        const auto t0 = Clock::now();
        auto player = synth::MidiPlayer::create(midi, timing->presets());
        const double readyMs = msSince(t0);
        if (!player)
            return 1;
        player->start();
        double slowest = 0;
        double slowestWall = 0;
        double total = 0;
        int blocks = 0;
        while (!player->finished() && player->currentTick() < timing->totalTicks()) {
            const auto b = Clock::now();
            const double c = threadCpuMs();
            player->render(block.data(), kBlock);
            const double ms = threadCpuMs() - c;
            slowestWall = std::max(slowestWall, msSince(b));
            slowest = std::max(slowest, ms);
            total += ms;
            ++blocks;
        }
        slowestOverall = std::max(slowestOverall, slowest);
        peakGrowth = std::max(peakGrowth, statusKb("VmHWM:") - hwmBefore);
        std::printf("  track %d: ready in %6.1f ms; %5d blocks (%5.1f s), slowest block %5.2f ms CPU"
                    " (%4.1f %% of budget; %5.2f ms wall), mean %.3f ms\n",
                    number, readyMs, blocks, blocks * budgetMs / 1000.0, slowest,
                    100.0 * slowest / budgetMs, slowestWall, total / std::max(blocks, 1));
    }
    std::printf("audio: the synthesizer's peak memory with one track's samples: %.1f MiB\n",
                peakGrowth / 1024.0);
    std::printf("audio: slowest block over all tracks %.2f ms CPU of %.1f ms (goal: under %.1f ms)\n",
                slowestOverall, budgetMs, budgetMs / 2);
    return 0;
}
