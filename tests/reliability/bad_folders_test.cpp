// Hostile folders: what another account, a second copy of the game or an odd
// environment leaves where the game keeps its files. Each row gives what is
// planted and what must hold afterwards: no file outside the game's own is
// written, no start waits for good, no entry of another copy is lost, and
// only texts of the game's own are shown.

#include "champions/frmHighscore.h"
#include "errors/failure.h"
#include "errors/protocol.h"
#include "platform/seams.h"
#include "platform/profile.h"
#include "services/kept_game.h"
#include "services/language.h"
#include "services/picture_file.h"
#include "services/picture_import.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "support/child_process.h"
#include "support/files.h"
#include "support/scripted_errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using testsupport::readFile;
using testsupport::writeFile;

bool isFifo(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// Each file the game writes or reads in its folders, with what the game does
// with it.
struct GameFile {
    const char* name;
    bool inTemp;  // in the temporary folder, else in the folder of the player's files
    std::function<void()> use;
};

std::vector<GameFile> gameFiles()
{
    return {
        {"Tavoro.ini", false,
         [] {
             Allgemein::GetIniSetting(Allgemein::Setting::Size);
             Allgemein::SaveIni("Optionen", "Size", "4");
         }},
        {"Tavoro.hsc", false,
         [] {
             frmHighscore w;
             w.Section = "m40";
             w.GetHS();
             w.lstSort.AddItem("0001000020Anna");
             w.WriteHS();
         }},
        {"Tavoro.EPT", false,
         [] { errors::appendProtocol(errors::logFilePath(), "protocol"); }},
        {"Tavoro.ERR", false,
         [] { errors::writeProtocol(errors::savedProtocolPath(), "protocol"); }},
        {"Tavoro saved game.ini", false,
         [] {
             keptgame::Game k;
             k.size = 3;
             k.pieces = {1, 2, 3, 4, 5, 6, 7, 0, 8};
             keptgame::keep(k);
             keptgame::flush();
             keptgame::load(nullptr);
         }},
        {"~tmp.lng", true,
         [] {
             Allgemein::WriteLanguageFile();
             Allgemein::GetLang(1126);
         }},
    };
}

}  // namespace

// A link or a FIFO under every name of the game's (as another account plants
// them in a shared folder): nothing is written through the link, the FIFO
// stays a FIFO and nothing waits on it. A child, so that a wait for good ends
// as a failure after its time instead of holding the tests.
TEST(BadFolders, LinksAndFifosUnderTheGamesNamesAreNeverWrittenThroughOrWaitedOn)
{
    QTemporaryDir dir;
    testsupport::ChildOptions o;
    o.env = {{"TAVORO_TEST_CHILD", "1"}, {"TAVORO_TEST_DIR", QFile::encodeName(dir.path())}};
    o.timeoutSeconds = 30;
    const auto r = testsupport::runTestInChild("BadFolders.DISABLED_PlantedFilesChild", o);
    EXPECT_TRUE(r.exited && r.status == 0) << "child status " << r.status
                                           << (r.exited ? "" : " (hung or killed)");
}

TEST(BadFolders, DISABLED_PlantedFilesChild)
{
    const QString base = qEnvironmentVariable("TAVORO_TEST_DIR");
    testsupport::ScriptedErrors errors;
    for (const GameFile& f : gameFiles()) {
        for (const bool fifo : {false, true}) {
            SCOPED_TRACE(std::string(f.name) + (fifo ? ", a FIFO" : ", a link"));
            const QString folder = base + "/" + f.name + (fifo ? "-fifo" : "-link");
            ASSERT_TRUE(QDir().mkpath(folder + "/tmp"));
            platform::seams().programFolder = folder;
            services::seams().languageFile = folder + "/tmp/~tmp.lng";
            const QString at = (f.inTemp ? folder + "/tmp/" : folder + "/") + f.name;
            const QString victim = base + "/victim-" + QFileInfo(folder).fileName();
            ASSERT_TRUE(writeFile(victim, "the player's own file\n"));
            if (fifo)
                ASSERT_EQ(::mkfifo(QFile::encodeName(at).constData(), 0666), 0);
            else
                ASSERT_TRUE(QFile::link(victim, at));
            f.use();
            EXPECT_EQ(readFile(victim), "the player's own file\n");
            // The kept game sets what is no game aside, itself, not what it points to.
            const QString left = QFileInfo::exists(at + ".damaged") || QFileInfo(at + ".damaged").isSymLink()
                ? at + ".damaged"
                : at;
            if (fifo)
                EXPECT_TRUE(isFifo(left));
            else
                EXPECT_TRUE(QFileInfo(left).isSymLink());
        }
    }
    // A FIFO chosen, added or dropped as a picture.
    const QString pipe = base + "/pipe.jpg";
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0666), 0);
    EXPECT_THROW(pictures::loadPuzzlePicture(pipe), errors::Failure);
    ASSERT_TRUE(QDir().mkpath(base + "/pics"));
    EXPECT_EQ(pictures::addPictureFile(pipe, base + "/pics").refusal,
              pictures::Refusal::NotAPicture);
    platform::resetSeams();
    services::resetSeams();
}

// ---- Two copies of the game on one folder --------------------------------------

namespace {

// Entries and keys of one copy: five champions (copy "a" the even seconds,
// "b" the odd ones, so that the ten fill the list) and forty settings keys.
constexpr int kEntries = 5;
constexpr int kKeys = 40;

QString entryOf(const QString& copy, int i)
{
    const int seconds = 10 + 2 * i + (copy == "b" ? 1 : 0);
    return QStringLiteral("%1%2%3%4").arg(seconds, 5, 10, QLatin1Char('0')).arg(100, 5, 10,
                                                                                 QLatin1Char('0'))
        .arg(copy).arg(i);
}

}  // namespace

// Two copies store their champions and settings at the same moments: the list
// holds all ten entries and the file every key of both, none lost to the
// other copy's write.
TEST(BadFolders, TwoCopiesOnOneFolderLoseNoEntry)
{
    QTemporaryDir dir;
    const QByteArray start =
        QByteArray::number(QDateTime::currentMSecsSinceEpoch() + 1500);  // both begin together
    testsupport::ChildResult results[2];
    std::thread copies[2];
    const char* names[2] = {"a", "b"};
    for (int c = 0; c < 2; ++c) {
        copies[c] = std::thread([&, c] {
            testsupport::ChildOptions o;
            o.env = {{"TAVORO_TEST_CHILD", "1"},
                     {"TAVORO_TEST_DIR", QFile::encodeName(dir.path())},
                     {"TAVORO_TEST_COPY", names[c]},
                     {"TAVORO_TEST_START", start}};
            results[c] = testsupport::runTestInChild("BadFolders.DISABLED_CopyChild", o);
        });
    }
    for (std::thread& t : copies)
        t.join();
    for (const auto& r : results)
        ASSERT_TRUE(r.exited && r.status == 0) << "child status " << r.status;

    platform::seams().programFolder = dir.path();
    frmHighscore w;
    w.Section = "m40";
    w.GetHS();
    QStringList expected;
    for (const char* copy : names)
        for (int i = 0; i < kEntries; ++i)
            expected << entryOf(copy, i);
    expected.sort();
    EXPECT_EQ(w.lstSort.items(), expected);
    const profile::ProfileFile ini = profile::ProfileFile::read(dir.filePath("Tavoro.ini"));
    EXPECT_EQ(ini.keys("Race").size(), 2 * kKeys);
    platform::resetSeams();
}

TEST(BadFolders, DISABLED_CopyChild)
{
    const QString copy = qEnvironmentVariable("TAVORO_TEST_COPY");
    platform::seams().programFolder = qEnvironmentVariable("TAVORO_TEST_DIR");
    testsupport::ScriptedErrors errors;
    const qint64 start = qEnvironmentVariable("TAVORO_TEST_START").toLongLong();
    while (QDateTime::currentMSecsSinceEpoch() < start)
        QThread::usleep(200);
    for (int i = 0; i < kKeys; ++i) {
        Allgemein::SaveIni("Race", copy + QString::number(i), QString::number(i));
        if (i % (kKeys / kEntries) == 0) {
            frmHighscore w;
            w.Section = "m40";
            w.GetHS();
            w.lstSort.AddItem(entryOf(copy, i / (kKeys / kEntries)));
            EXPECT_TRUE(w.WriteHS());
        }
    }
    EXPECT_TRUE(errors.reports.empty());
}

// ---- The temporary folder --------------------------------------------------------

// The runtime folder's "tavoro" left open to everybody (mode 0777) with a
// language file and a link planted by another account: the folder is closed
// and emptied before use, and every text is the game's own.
TEST(BadFolders, APlantedTemporaryFolderIsEmptiedAndItsTextsAreNeverRead)
{
    QTemporaryDir runtime;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString folder = runtime.filePath("tavoro");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
    const QByteArray planted = "[Lang]\r\n1126=Send your password to mallory@example.org\r\n";
    ASSERT_TRUE(writeFile(folder + "/~tmp.lng", planted));
    ASSERT_TRUE(testsupport::giveToNobody(folder + "/~tmp.lng"));
    ASSERT_EQ(::chmod(QFile::encodeName(folder + "/~tmp.lng").constData(), 0444), 0);
    QTemporaryDir elsewhere;
    ASSERT_TRUE(writeFile(elsewhere.filePath("victim"), "mine"));
    ASSERT_TRUE(QFile::link(elsewhere.filePath("victim"), folder + "/~tmp.mid"));
    ASSERT_TRUE(QDir().mkpath(folder + "/sub/deeper"));

    testsupport::ScriptedErrors errors;
    services::seams().languageFile.clear();
    EXPECT_EQ(Allgemein::LanguageFile(), folder + "/~tmp.lng");
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    Allgemein::WriteLanguageFile();
    EXPECT_EQ(Allgemein::GetLang(1126), "Please enter your name!");
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                     | QDir::NoDotAndDotDot),
              QStringList{"~tmp.lng"});
    EXPECT_EQ(readFile(elsewhere.filePath("victim")), "mine");
    EXPECT_TRUE(errors.reports.empty());
    services::resetSeams();
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
    if (oldRuntime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
}

// $TMPDIR names a folder that is not there: with a runtime folder nothing is
// reported; without one it is reported once, and the temporary files go to
// /tmp, never to the current folder.
TEST(BadFolders, AMissingTmpdirNeverPutsTemporaryFilesInTheCurrentFolder)
{
    QTemporaryDir runtime, cwd;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray oldTmp = qgetenv("TMPDIR");
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    qputenv("TMPDIR", QFile::encodeName(cwd.filePath("gone")));
    testsupport::ScriptedErrors errors;

    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    EXPECT_EQ(Allgemein::GetTempDir(), runtime.filePath("tavoro") + "/");
    EXPECT_TRUE(errors.reports.empty());

    qunsetenv("XDG_RUNTIME_DIR");
    for (int start = 0; start < 3; ++start) {
        services::seams().languageFile.clear();
        Allgemein::WriteLanguageFile();
        EXPECT_TRUE(Allgemein::LanguageFile().startsWith("/tmp/tavoro-")) << Allgemein::LanguageFile().toStdString();
    }
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].procedure, "GetTempDir");
    EXPECT_EQ(errors.reports[0].failure.number, 76);
    EXPECT_EQ(QDir(cwd.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{});

    QDir::setCurrent(oldCwd);
    services::resetSeams();
    qputenv("TMPDIR", oldTmp);
    if (!oldRuntime.isNull())
        qputenv("XDG_RUNTIME_DIR", oldRuntime);
}
