// A writer that dies at any moment must never cost the player a setting or a
// champion: the crash writer (tests/crash/crash_writer.cpp) stores settings
// and champions in a loop and is killed (SIGKILL) again and again at moments
// drawn from a fixed seed. After every kill both files parse whole, every
// setting holds the value of the round before or of a later one, and the
// champions list is the list before with new entries on top: nothing stored
// before is lost or shown twice.

#include "champions/hscodec.h"
#include "champions/ranking.h"
#include "crash/crash_keys.h"
#include "platform/ansi.h"
#include "platform/profile.h"
#include "support/files.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

const std::string kKey = "Tavoro";  // the scrambling key: the application title

QString encoded(const QString& entry)
{
    const QByteArray a = ansi::toAnsi(entry);
    return QString::fromLatin1(hscodec::conv(a.toStdString(), kKey));
}

QString decoded(const QString& value)
{
    const std::string text = hscodec::convBack(value.toLatin1().toStdString(), kKey);
    return ansi::fromAnsi(QByteArray::fromStdString(text));
}

// The files as the test lays them out before the first run: every setting
// of round 0, a full list of another size that nothing may touch, and ten
// empty slots in the list the writer ranks into.
struct Start {
    QByteArray ini;
    QByteArray hsc;
};

Start startFiles()
{
    profile::ProfileFile ini;
    for (const crashkeys::Key& k : crashkeys::kSettings)
        ini.setValue(k.section, k.key, crashkeys::settingValue(k, 0));
    profile::ProfileFile hsc;
    for (int i = 1; i <= 10; ++i)
        hsc.setValue("m30", QString::number(i),
                     encoded(QStringLiteral("00%100042Ann %2").arg(100 + i).arg(i)));
    for (int i = 1; i <= 10; ++i)
        hsc.setValue(crashkeys::kChampionsSection, QString::number(i),
                     encoded(champions::kEmptySlot));
    return {ini.bytes(), hsc.bytes()};
}

// Starts the writer on the folder, waits until its loop has begun, lets it
// write for `delay`, kills it. False when it did not start or stopped by
// itself (a failure it reported).
bool runAndKill(const QString& folder, std::chrono::microseconds delay, std::string& why)
{
    int out[2];
    if (::pipe(out) != 0)
        return why = "no pipe", false;
    const QByteArray arg = QFile::encodeName(folder);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(TAVORO_CRASH_WRITER, TAVORO_CRASH_WRITER, arg.constData(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    pollfd ready{out[0], POLLIN, 0};
    char byte = 0;
    const bool started = ::poll(&ready, 1, 60000) == 1 && ::read(out[0], &byte, 1) == 1;
    if (started)
        std::this_thread::sleep_for(delay);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(out[0]);
    if (!started)
        return why = "the writer did not start", false;
    if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
        return why = "the writer stopped by itself", false;
    return true;
}

// The rounds of the stored settings, in the order they are written.
std::vector<long> settingRounds(const profile::ProfileFile& ini)
{
    std::vector<long> rounds;
    for (const crashkeys::Key& k : crashkeys::kSettings)
        rounds.push_back(crashkeys::roundOfSetting(k, ini.value(k.section, k.key).value_or("")));
    return rounds;
}

// The rounds of the stored champions, best first; empty slots are left out.
// An entry no round stored, or an entry after an empty slot, gives -1.
std::vector<long> championRounds(const profile::ProfileFile& hsc)
{
    std::vector<long> rounds;
    bool emptySeen = false;
    for (int i = 1; i <= 10; ++i) {
        const QString entry = decoded(
            hsc.value(crashkeys::kChampionsSection, QString::number(i)).value_or(""));
        if (entry == champions::kEmptySlot) {
            emptySeen = true;
            continue;
        }
        const long r = crashkeys::roundOfEntry(entry);
        rounds.push_back(emptySeen ? -1 : r);
    }
    return rounds;
}

// The bytes a file of these values must have: the start file with the
// values set in their order. Anything else is a torn or damaged file.
QByteArray rebuilt(const QByteArray& start, const profile::ProfileFile& now, const char* section,
                   const QStringList& keys)
{
    profile::ProfileFile f(start);
    for (const QString& key : keys)
        f.setValue(section, key, now.value(section, key).value_or(QStringLiteral("?missing")));
    return f.bytes();
}

QStringList settingKeysOf(const char* section)
{
    QStringList keys;
    for (const crashkeys::Key& k : crashkeys::kSettings) {
        if (QLatin1String(k.section) == QLatin1String(section))
            keys.append(k.key);
    }
    return keys;
}

QStringList rankKeys()
{
    QStringList keys;
    for (int i = 1; i <= 10; ++i)
        keys.append(QString::number(i));
    return keys;
}

}  // namespace

TEST(CrashSafety, AWriterKilledAtAnyMomentLeavesWholeFilesWithOldOrNewValues)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString iniPath = dir.filePath("Tavoro.ini");
    const QString hscPath = dir.filePath("Tavoro.hsc");
    const Start start = startFiles();
    ASSERT_TRUE(testsupport::writeFile(iniPath, start.ini));
    ASSERT_TRUE(testsupport::writeFile(hscPath, start.hsc));

    std::mt19937 moments(13);
    std::uniform_int_distribution<int> delayUs(0, 120000);
    constexpr int kKills = 40;
    std::vector<long> lastSettings(crashkeys::kSettings.size(), 0);
    std::vector<long> lastChampions;
    int midSettings = 0;
    int midChampions = 0;
    int leftOver = 0;

    for (int kill = 1; kill <= kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        std::string why;
        ASSERT_TRUE(runAndKill(dir.path(), std::chrono::microseconds(delayUs(moments)), why))
            << why;

        // Beside the two files at most a new copy that a kill caught between
        // its naming and its rename (a short moment of each write) is left.
        for (const QString& name :
             QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (name == "Tavoro.ini" || name == "Tavoro.hsc")
                continue;
            EXPECT_TRUE(QRegularExpression("^Tavoro\\.(ini|hsc)\\.\\w{6}$").match(name).hasMatch())
                << name.toStdString();
            QFile::remove(dir.filePath(name));
            ++leftOver;
        }

        // Settings: whole, and each key holds its last value or a later one.
        // Keys are written in order, so a key never holds a later round than
        // the keys before it, and at most one round apart from them.
        const QByteArray iniBytes = testsupport::readFile(iniPath);
        const profile::ProfileFile ini(iniBytes);
        QByteArray expected =
            rebuilt(rebuilt(start.ini, ini, "Optionen", settingKeysOf("Optionen")), ini,
                    "Pictures", settingKeysOf("Pictures"));
        ASSERT_EQ(iniBytes, expected) << "Tavoro.ini is torn";
        const std::vector<long> settings = settingRounds(ini);
        for (size_t i = 0; i < settings.size(); ++i) {
            ASSERT_GE(settings[i], lastSettings[i]) << crashkeys::kSettings[i].key << " lost";
            if (i > 0)
                ASSERT_LE(settings[i], settings[i - 1]) << crashkeys::kSettings[i].key;
        }
        if (settings.front() != settings.back())
            ++midSettings;
        lastSettings = settings;

        // Champions: whole, and the list is the list before with entries of
        // later rounds on top; nothing stored before is lost or doubled.
        const QByteArray hscBytes = testsupport::readFile(hscPath);
        const profile::ProfileFile hsc(hscBytes);
        ASSERT_EQ(hscBytes,
                  rebuilt(start.hsc, hsc, crashkeys::kChampionsSection, rankKeys()))
            << "Tavoro.hsc is torn or touched another size";
        // The list is empty only while no round has stored a champion yet (a
        // kill early in the first run of a slow build); an emptied list fails
        // below as a lost entry.
        const std::vector<long> list = championRounds(hsc);
        for (size_t i = 0; i < list.size(); ++i) {
            ASSERT_GT(list[i], 0) << "rank " << i + 1 << " holds no entry a round stored";
            if (i > 0)
                ASSERT_LT(list[i], list[i - 1]) << "rank " << i + 1 << " is out of order";
        }
        if (!list.empty())
            ASSERT_LE(list.front(), settings.front()) << "an entry of a round not yet begun";
        size_t fresh = 0;
        while (fresh < list.size() &&
               (lastChampions.empty() || list[fresh] > lastChampions.front()))
            ++fresh;
        std::vector<long> kept(list.begin() + static_cast<long>(fresh), list.end());
        std::vector<long> wanted(lastChampions.begin(),
                                 lastChampions.begin() +
                                     static_cast<long>(std::min(lastChampions.size(),
                                                                10 - fresh)));
        ASSERT_EQ(kept, wanted) << "the list lost an entry it held (" << fresh
                                << " new on top)";
        if (!list.empty() && list.front() < settings.back())
            ++midChampions;
        lastChampions = list;
    }
    // The writer got far enough to be killed in the middle of its writes.
    EXPECT_GE(lastSettings.front(), kKills);
    std::printf("%d kills, %ld rounds; %d in the middle of the settings, %d before the "
                "champions of the round were stored, %d left a new copy behind\n",
                kKills, lastSettings.front(), midSettings, midChampions, leftOver);
}
