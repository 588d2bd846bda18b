#include "platform/mci.h"
#include "platform/seams.h"
#include "services/resources.h"
#include "services/seams.h"
#include "support/audio_env.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

class Mci : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::resetAudio();
        services::seams().resourceRoot = ":/testres";
        track = dir.filePath("~tmp.mid");
        ASSERT_TRUE(writeFile(track, resources::load("MIDI", 1001)));  // 600 ms
    }
    void TearDown() override
    {
        testsupport::resetAudio();
        services::resetSeams();
    }

    // A silent sequencer on a clock the test moves.
    void silentWithClock()
    {
        platform::seams().soundFontCandidates = QStringList{};
        platform::seams().mciClock = [this] { return now; };
    }

    QString openCommand(const QString& alias = "midi") const
    {
        return "open sequencer!" + track + " alias " + alias;
    }

    static QString status(const char* item)
    {
        QString answer = "untouched";
        const int rc = mciSendString(QString("status midi ") + item, &answer);
        return rc == 0 ? answer : QString("error %1").arg(rc);
    }

    // Whether a writer could take the file now.
    bool writable() const
    {
        const int fd = ::open(QFile::encodeName(track).constData(), O_WRONLY);
        const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        return free;
    }

    QTemporaryDir dir;
    QString track;
    int64_t now = 1000;
};

}  // namespace

TEST_F(Mci, CommandTable)
{
    silentWithClock();
    struct Step {
        int advanceMs;
        QString command;  // %1 stands for the track's path
        int code;
        QString answer;
    };
    const Step steps[] = {
        {0, "play midi", mci::InvalidDeviceName, ""},
        {0, "status midi length", mci::InvalidDeviceName, ""},
        {0, "open sequencer!%1 alias midi", 0, ""},
        {0, "open sequencer!%1 alias midi", mci::DuplicateAlias, ""},  // the alias is taken
        {0, "status midi length", 0, "600"},
        {0, "status midi position", 0, "0"},  // not started yet
        {0, "play midi", 0, ""},
        {250, "status midi position", 0, "250"},
        {0, "play midi", 0, ""},  // goes on from where it is
        {100, "status midi position", 0, "350"},
        {1000, "status midi position", 0, "600"},  // ended: position equals length
        {0, "play midi", 0, ""},                   // stays at its end
        {500, "STATUS MIDI POSITION", 0, "600"},
        {0, "status midi volume", mci::UnrecognizedKeyword, ""},
        {0, "status music length", mci::InvalidDeviceName, ""},
        {0, "stop midi", mci::UnrecognizedCommand, ""},
        {0, "", mci::MissingCommandString, ""},
        {0, "close midi", 0, ""},
        {0, "close midi", mci::InvalidDeviceName, ""},
        {0, "play midi", mci::InvalidDeviceName, ""},
        {0, "status midi position", mci::InvalidDeviceName, ""},
        {0, "open sequencer!%1 alias music", mci::InvalidDeviceName, ""},
        {0, "open %1 alias midi", mci::UnrecognizedKeyword, ""},
        {0, "open sequencer!%1 alias midi", 0, ""},  // free again after the close
        {0, "close midi", 0, ""},
    };
    for (const Step& s : steps) {
        now += s.advanceMs;
        const QString command = s.command.contains("%1") ? s.command.arg(track) : s.command;
        SCOPED_TRACE(command.toStdString());
        QString answer = "untouched";
        EXPECT_EQ(mciSendString(command, &answer), s.code);
        EXPECT_EQ(answer, s.answer);
        EXPECT_FALSE(mci::audible());
    }
}

TEST_F(Mci, FilesThatCannotBeOpened)
{
    silentWithClock();
    const QString noMidi = dir.filePath("sound.wav");
    ASSERT_TRUE(writeFile(noMidi, resources::load("WAV", 101)));
    EXPECT_EQ(mciSendString("open sequencer!" + dir.filePath("missing.mid") + " alias midi"),
              mci::FileNotFound);
    EXPECT_EQ(mciSendString("open sequencer!" + noMidi + " alias midi"), mci::InvalidFile);
    EXPECT_EQ(mciSendString("open sequencer!" + dir.path() + " alias midi"), mci::FileNotFound);

    // A file being written is not read half-way.
    const int writer = ::open(QFile::encodeName(track).constData(), O_WRONLY);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);
    EXPECT_EQ(mciSendString(openCommand()), mci::FileNotFound);
    ::close(writer);

    // None of them left the alias taken.
    EXPECT_EQ(mciSendString(openCommand()), 0);
}

TEST_F(Mci, TheOpenTrackIsLockedAgainstWritersUntilClosed)
{
    silentWithClock();
    ASSERT_TRUE(writable());
    ASSERT_EQ(mciSendString(openCommand()), 0);
    EXPECT_FALSE(writable());
    mciSendString("play midi");
    EXPECT_FALSE(writable());
    ASSERT_EQ(mciSendString("close midi"), 0);
    EXPECT_TRUE(writable());
}

TEST_F(Mci, PathsWithBlanksAndQuotes)
{
    silentWithClock();
    const QString spaced = dir.filePath("my music/~tmp.mid");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("my music")));
    ASSERT_TRUE(writeFile(spaced, readFile(track)));
    for (const QString& command : {"open sequencer!" + spaced + " alias midi",
                                   "open sequencer!\"" + spaced + "\" alias midi",
                                   "  Open Sequencer!" + spaced + "   ALIAS   Midi  "}) {
        SCOPED_TRACE(command.toStdString());
        EXPECT_EQ(mciSendString(command), 0);
        EXPECT_EQ(status("length"), "600");
        EXPECT_EQ(mciSendString("close midi"), 0);
    }
}

TEST_F(Mci, WithoutAudioDeviceTheTrackPlaysSilently)
{
    testsupport::ScopedEnv noDevice("SDL_AUDIODRIVER", "no-such-driver");
    platform::seams().mciClock = [this] { return now; };
    ASSERT_EQ(mciSendString(openCommand()), 0);
    mci::waitForWorker();  // it finds no device
    EXPECT_FALSE(audio::isOpen());
    EXPECT_FALSE(mci::audible());
    EXPECT_EQ(mciSendString("play midi"), 0);
    now += 700;
    EXPECT_EQ(status("position"), "600");
}

TEST_F(Mci, AudibleTrackReachesItsEnd)
{
    if (synth::findSoundFont().isEmpty())
        GTEST_SKIP() << "no SoundFont installed";
    // "play" right after "open": the worker may still be reading the
    // SoundFont; the track then starts as soon as it is ready.
    ASSERT_EQ(mciSendString(openCommand()), 0);
    EXPECT_EQ(status("position"), "0");
    ASSERT_EQ(mciSendString("play midi"), 0);
    EXPECT_TRUE(testsupport::waitFor([] { return !mci::loading(); }));
    ASSERT_TRUE(mci::audible()) << "SoundFont and the dummy audio device should play it";

    int64_t last = 0;
    bool ordered = true;
    const bool ended = testsupport::waitFor([&] {
        const int64_t p = status("position").toLongLong();
        ordered = ordered && p >= last;
        last = p;
        return p == 600;
    });
    EXPECT_TRUE(ended) << "position stopped at " << last;
    EXPECT_TRUE(ordered);
    EXPECT_EQ(mciSendString("play midi"), 0);
    EXPECT_EQ(status("position"), "600");
    EXPECT_EQ(mciSendString("close midi"), 0);
    EXPECT_FALSE(mci::audible());
}

TEST_F(Mci, ClosedWhileLoadingLeavesNothingPlaying)
{
    if (synth::findSoundFont().isEmpty())
        GTEST_SKIP() << "no SoundFont installed";
    ASSERT_EQ(mciSendString(openCommand()), 0);
    ASSERT_EQ(mciSendString("play midi"), 0);
    EXPECT_EQ(mciSendString("close midi"), 0);
    mci::waitForWorker();
    EXPECT_FALSE(mci::audible());
    EXPECT_FALSE(mci::loading());
    // The next track opens and plays as usual.
    ASSERT_EQ(mciSendString(openCommand()), 0);
    ASSERT_EQ(mciSendString("play midi"), 0);
    mci::waitForWorker();
    EXPECT_TRUE(mci::audible());
    EXPECT_EQ(mciSendString("close midi"), 0);
}
