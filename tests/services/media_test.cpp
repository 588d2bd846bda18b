#include "platform/mci.h"
#include "platform/seams.h"
#include "platform/worker.h"
#include "services/media.h"
#include "services/random.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/audio_env.h"
#include "support/scripted_errors.h"

#include <QCloseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using testsupport::readFile;

namespace {

// Rnd answers from a list; each value r gives track floor(6r) + 1001.
class ScriptedRnd {
public:
    explicit ScriptedRnd(std::deque<double> values) : values_(std::move(values))
    {
        services::seams().rnd = [this] {
            const double r = values_.empty() ? 0.99 : values_.front();
            if (!values_.empty())
                values_.pop_front();
            return r;
        };
    }
    ~ScriptedRnd() { services::seams().rnd = nullptr; }

private:
    std::deque<double> values_;
};

double forTrack(int track)
{
    return (track - 1000 - 1 + 0.5) / 6.0;
}

class Media : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::resetAudio();
        platform::seams().soundFontCandidates = QStringList{};  // silent tracks
        platform::seams().mciClock = [this] { return now; };
        services::seams().resourceRoot = ":/testres";
        Allgemein::resetMediaForTesting();
        Allgemein::setMusicTimerSwitch([this](bool on) { timer.push_back(on); });
        saved = g;
    }
    void TearDown() override
    {
        g = saved;
        Allgemein::setMusicTimerSwitch({});
        Allgemein::resetMediaForTesting();
        services::resetSeams();
        testsupport::resetAudio();
    }

    QString tmpMid() const { return Allgemein::GetTempDir() + "~tmp.mid"; }
    static QByteArray track(int n) { return resources::load("MIDI", n); }
    static QString status(const char* item)
    {
        QString answer;
        return mciSendString(QString("status midi ") + item, &answer) == 0 ? answer : "closed";
    }

    testsupport::PrivateTemp temp;
    testsupport::ScriptedErrors errors;
    std::vector<bool> timer;  // every switch of Timer2
    int64_t now = 0;
    SharedRecord saved;
};

}  // namespace

TEST_F(Media, ZufallszahlCoversTheRangeAndNothingElse)
{
    std::map<int, int> seen;
    for (int i = 0; i < 6000; ++i)
        ++seen[Allgemein::Zufallszahl(1, 6)];
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen.begin()->first, 1);
    EXPECT_EQ(seen.rbegin()->first, 6);
    for (const auto& [value, count] : seen)
        EXPECT_GT(count, 800) << value;  // about 1000 each
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(Allgemein::Zufallszahl(5, 5), 5);
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(Media, ZufallszahlAtTheEdgesOfItsDraw)
{
    struct Case {
        int low, high;
        double r;
        int expected;
    };
    for (const Case& c : {Case{1, 6, 0.0, 1}, Case{1, 6, 0.9999999, 6}, Case{105, 110, 0.5, 108},
                          Case{-3, 3, 0.0, -3}, Case{-100, 32000, 0.9999999, 32000}}) {
        ScriptedRnd rnd({c.r});
        EXPECT_EQ(Allgemein::Zufallszahl(c.low, c.high), c.expected) << c.low << ".." << c.high;
    }
    EXPECT_TRUE(errors.reports.empty());

    // A range wider than a 16-bit integer holds overflows, reported and answered.
    EXPECT_EQ(Allgemein::Zufallszahl(-32768, 32767), 0);
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].object, "Allgemein");
    EXPECT_EQ(errors.reports[0].procedure, "Zufallszahl");
    EXPECT_EQ(errors.reports[0].failure.number, 6);
    EXPECT_EQ(errors.reports[0].failure.line, 50020);
}

TEST_F(Media, NoTrackFollowsItself)
{
    // The draws try to repeat: 1003, 1003 again (drawn anew), 1003, then 1005.
    ScriptedRnd rnd({forTrack(1003), forTrack(1003), forTrack(1003), forTrack(1005),
                     forTrack(1005), forTrack(1002)});
    Allgemein::MakeMusic();
    EXPECT_EQ(Allgemein::lastTrack(), 1003);
    EXPECT_EQ(readFile(tmpMid()), track(1003));
    EXPECT_EQ(Allgemein::musicFilePath(), tmpMid());
    mciSendString("close midi");
    Allgemein::MakeMusic();
    EXPECT_EQ(Allgemein::lastTrack(), 1005);
    EXPECT_EQ(readFile(tmpMid()), track(1005));
    mciSendString("close midi");
    Allgemein::MakeMusic();
    EXPECT_EQ(Allgemein::lastTrack(), 1002);
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(Media, ManyTracksInARowNeverRepeat)
{
    int previous = 0;
    for (int i = 0; i < 60; ++i) {
        Allgemein::MakeMusic();
        mciSendString("close midi");
        EXPECT_NE(Allgemein::lastTrack(), previous);
        EXPECT_GE(Allgemein::lastTrack(), 1001);
        EXPECT_LE(Allgemein::lastTrack(), 1006);
        previous = Allgemein::lastTrack();
    }
}

TEST_F(Media, WhileATrackIsOpenItPlaysOnAndKeepsItsFile)
{
    Allgemein::settings().setMusicOn(true);
    ScriptedRnd rnd({forTrack(1001), forTrack(1004)});
    Allgemein::MakeMusic();
    now += 200;
    EXPECT_EQ(status("position"), "200");

    // The window becomes active again: a new track is drawn and written to
    // "~tmp.mid", but the open one holds the file and keeps playing.
    Allgemein::MakeMusic();
    EXPECT_EQ(Allgemein::lastTrack(), 1004);
    EXPECT_EQ(readFile(tmpMid()), track(1001));
    EXPECT_EQ(status("length"), "600");
    EXPECT_EQ(status("position"), "200");
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_TRUE(timer.empty());  // once: Timer2 stays off
}

TEST_F(Media, MusicWatchInEndlessMode)
{
    Allgemein::settings().setMusicOn(true);
    Allgemein::settings().setMusicEndless(true);
    ScriptedRnd rnd({forTrack(1002), forTrack(1006)});
    Allgemein::MakeMusic();
    EXPECT_EQ(timer, std::vector<bool>{true});

    now += 399;
    Allgemein::MusicWatchTick();  // still playing
    EXPECT_EQ(Allgemein::lastTrack(), 1002);
    EXPECT_EQ(status("position"), "399");

    now += 1;
    Allgemein::MusicWatchTick();  // ended: the next track starts from its beginning
    EXPECT_EQ(Allgemein::lastTrack(), 1006);
    EXPECT_EQ(readFile(tmpMid()), track(1006));
    EXPECT_EQ(status("length"), "750");
    EXPECT_EQ(status("position"), "0");
    EXPECT_EQ(timer, (std::vector<bool>{true, true}));
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(Media, MusicWatchInOnceModeStopsTheTimer)
{
    Allgemein::settings().setMusicOn(true);
    Allgemein::settings().setMusicEndless(false);
    ScriptedRnd rnd({forTrack(1003)});
    Allgemein::MakeMusic();
    now += 10000;
    Allgemein::MusicWatchTick();
    EXPECT_EQ(status("length"), "closed");
    EXPECT_EQ(timer, std::vector<bool>{false});
    EXPECT_EQ(Allgemein::lastTrack(), 1003);  // no second track
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(Media, MakeMusicKeepsAFileInUse)
{
    // Someone else's track holds "~tmp.mid".
    ASSERT_TRUE(testsupport::writeFile(tmpMid(), "old track"));
    const int holder = ::open(QFile::encodeName(tmpMid()).constData(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_SH), 0);
    Allgemein::MakeMusic();
    ::close(holder);
    EXPECT_EQ(readFile(tmpMid()), "old track");
    EXPECT_EQ(status("length"), "closed");  // the old contents are no MIDI file
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(Media, PlayWAV)
{
    ASSERT_TRUE(audio::ensureOpen());
    // The sound is decoded and started on the media worker.
    Allgemein::PlayWAV(101);
    EXPECT_EQ(Allgemein::soundBuffer(), resources::load("WAV", 101));
    mci::waitForWorker();
    EXPECT_TRUE(audio::effectPlaying());

    // Data that cannot be played: silence, no report.
    Allgemein::PlayWAV(110);
    EXPECT_EQ(Allgemein::soundBuffer(), resources::load("WAV", 110));
    mci::waitForWorker();
    EXPECT_FALSE(audio::effectPlaying());
    EXPECT_TRUE(errors.reports.empty());

    // A missing sound is reported; going on plays nothing, not the sound before.
    Allgemein::PlayWAV(101);
    errors.answers = {errors::Ignore};
    Allgemein::PlayWAV(105);
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].object, "Allgemein");
    EXPECT_EQ(errors.reports[0].procedure, "PlayWAV");
    EXPECT_EQ(errors.reports[0].failure.number, 326);
    EXPECT_EQ(errors.reports[0].failure.line, 50010);
    EXPECT_TRUE(Allgemein::soundBuffer().isEmpty());
    mci::waitForWorker();
    EXPECT_FALSE(audio::effectPlaying());
}

TEST_F(Media, MissingTrackIsReportedByTheFileWriter)
{
    // Track 1001 missing from the resources: the write reports, the open finds
    // no file, the game goes on without music.
    services::seams().resourceRoot = ":/nothing";
    ScriptedRnd rnd({forTrack(1001)});
    Allgemein::MakeMusic();
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].object, "ModResFiles");
    EXPECT_EQ(errors.reports[0].procedure, "SaveResItemToDisk");
    EXPECT_EQ(status("length"), "closed");
}

namespace {

class Window : public QWidget {
public:
    Window(std::vector<QString>& log, QString name, bool refuse = false)
        : log_(log), name_(std::move(name)), refuse_(refuse)
    {
    }

protected:
    void closeEvent(QCloseEvent* e) override
    {
        log_.push_back(name_);
        if (refuse_)
            e->ignore();
    }

private:
    std::vector<QString>& log_;
    QString name_;
    bool refuse_;
};

}  // namespace

TEST_F(Media, ShutdownUnloadsTheWindowOpenedLastFirst)
{
    std::vector<QString> closed;
    Window first(closed, "first"), second(closed, "second"), third(closed, "third");
    first.show();
    third.show();
    second.show();
    ASSERT_EQ(mciSendString("open sequencer!" + QString(TAVORO_SOURCE_DIR)
                                + "/tests/fixtures/MIDI/1001.mid alias midi"),
              0);
    ASSERT_TRUE(audio::ensureOpen());

    Allgemein::Shutdown();
    EXPECT_EQ(closed, (std::vector<QString>{"second", "third", "first"}));
    EXPECT_FALSE(first.isVisible() || second.isVisible() || third.isVisible());
    EXPECT_EQ(status("length"), "closed");
    EXPECT_FALSE(audio::isOpen());
    EXPECT_EQ(errors.exits, 0);
}

TEST_F(Media, ShutdownEndsTheProgramWhenAWindowStaysOpen)
{
    std::vector<QString> closed;
    Window main(closed, "main"), stubborn(closed, "stubborn", true);
    main.show();
    stubborn.show();
    EXPECT_THROW(Allgemein::Shutdown(), errors::ProgramEnded);
    EXPECT_EQ(closed, (std::vector<QString>{"stubborn", "main"}));
    EXPECT_EQ(errors.exits, 1);
    EXPECT_TRUE(errors.reports.empty());
}
