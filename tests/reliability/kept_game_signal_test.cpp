// A game ended by a signal between or during moves: SIGTERM (a logout, a
// shutdown) lets the program end in order and keep the game, whatever window
// stands over the room; SIGKILL leaves the kept game of a recent move, whole,
// never half a file.

#include "services/kept_game.h"
#include "platform/seams.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Ended {
    bool started = false;
    bool ended = false;      // by itself, after the signal
    int status = 0;
    Clock::duration took{};  // from the signal to the end
};

// Waits for the child to end, SIGKILL after `limit`.
void await(pid_t pid, Ended& e, std::chrono::seconds limit)
{
    const Clock::time_point sent = Clock::now();
    while (Clock::now() - sent < limit) {
        if (::waitpid(pid, &e.status, WNOHANG) == pid) {
            e.took = Clock::now() - sent;
            e.ended = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &e.status, 0);
}

// Starts the player on the folder (in the window, if one is named), waits
// until it tells that the game or the window is under way, lets it go on a
// while, sends the signal.
Ended playAndSignal(const QString& folder, int signal, std::chrono::milliseconds after,
                    const char* window = nullptr)
{
    int out[2];
    if (::pipe(out) != 0)
        return {};
    const QByteArray arg = folder.toLocal8Bit();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(TAVORO_GAME_PLAYER, TAVORO_GAME_PLAYER, arg.constData(), window,
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    pollfd ready{out[0], POLLIN, 0};
    char byte = 0;
    Ended e;
    e.started = ::poll(&ready, 1, 60000) == 1 && ::read(out[0], &byte, 1) == 1;
    if (e.started)
        std::this_thread::sleep_for(after);
    ::kill(pid, e.started ? signal : SIGKILL);
    await(pid, e, std::chrono::seconds(30));
    ::close(out[0]);
    return e;
}

std::optional<keptgame::Game> keptIn(const QString& folder)
{
    platform::seams().programFolder = folder;
    const QByteArray bytes = testsupport::readFile(keptgame::path());
    platform::resetSeams();
    QString why;
    auto kept = keptgame::decode(bytes, &why);
    EXPECT_TRUE(kept) << qPrintable(why) << "\n" << bytes.constData();
    return kept;
}

}  // namespace

TEST(KeptGameSignals, TermKeepsTheGameAndKillLeavesAWholeOne)
{
    const struct { int signal; int millis; } cases[] = {
        {SIGTERM, 150}, {SIGTERM, 400}, {SIGKILL, 150}, {SIGKILL, 333}, {SIGKILL, 517},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "signal " << c.signal << " after " << c.millis << " ms");
        QTemporaryDir folder;
        const Ended e = playAndSignal(folder.path(), c.signal, std::chrono::milliseconds(c.millis));
        ASSERT_TRUE(e.started);
        if (c.signal == SIGTERM) {
            EXPECT_TRUE(e.ended && WIFEXITED(e.status)) << "ended in order";
            EXPECT_EQ(WEXITSTATUS(e.status), 0);
        }
        const auto kept = keptIn(folder.path());
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->size, 4);
        EXPECT_GE(kept->moves, 1);
    }
}

// Whatever window of the game, or of the desktop, stands over the room, the
// signals of a session's end end the program within two seconds, in order,
// and the game is kept.
TEST(KeptGameSignals, EachSignalEndsTheGameWhateverWindowStands)
{
    const char* windows[] = {"question", "picture", "wallpaper", "help", "champions",
                             "name", "error", "file", "about"};
    const struct { int signal; const char* name; } endings[] = {
        {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}, {SIGINT, "SIGINT"}};
    int row = 0;
    for (const char* window : windows) {
        // Every window meets SIGTERM; the other two signals take turns.
        for (const auto& s : {endings[0], endings[1 + row++ % 2]}) {
            SCOPED_TRACE(testing::Message() << s.name << " over the " << window << " window");
            QTemporaryDir folder;
            const Ended e = playAndSignal(folder.path(), s.signal, std::chrono::milliseconds(200),
                                          window);
            ASSERT_TRUE(e.started) << "the window did not open";
            ASSERT_TRUE(e.ended) << "still running 30 s after the signal";
            EXPECT_LE(e.took, std::chrono::seconds(2));
            ASSERT_TRUE(WIFEXITED(e.status)) << "ended by signal " << WTERMSIG(e.status);
            EXPECT_EQ(WEXITSTATUS(e.status), 0);
            const auto kept = keptIn(folder.path());
            ASSERT_TRUE(kept);
            EXPECT_EQ(kept->moves, 1);
        }
    }
}

// The program itself, started on settings that open the error dialog before
// the room stands, ends on SIGTERM too.
TEST(KeptGameSignals, TheProgramEndsOnTermWithTheErrorDialogAtItsStart)
{
    QTemporaryDir game, home;
    const QString program = game.filePath("Tavoro");
    ASSERT_TRUE(QFile::copy(TAVORO_EXECUTABLE, program));
    testsupport::writeFile(game.filePath("Tavoro.ini"),
                           "[Optionen]\r\nSize=-32769\r\nMode=65536\r\nPlaySound=9\r\n"
                           "Sprache=-1000\r\n");
    QDir(home.path()).mkpath("run");
    QFile::setPermissions(home.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray exe = QFile::encodeName(program);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("HOME", QFile::encodeName(home.path()).constData(), 1);
        ::setenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")).constData(), 1);
        ::setenv("XDG_RUNTIME_DIR", QFile::encodeName(home.filePath("run")).constData(), 1);
        ::setenv("TMPDIR", QFile::encodeName(home.path()).constData(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        ::execl(exe.constData(), exe.constData(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // The dialog writes its protocol to the log just before it shows.
    const QString log = game.filePath("Tavoro.EPT");
    const Clock::time_point started = Clock::now();
    while (!QFile::exists(log) && Clock::now() - started < std::chrono::seconds(60))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const bool dialog = QFile::exists(log);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ::kill(pid, SIGTERM);
    Ended e;
    await(pid, e, std::chrono::seconds(30));
    EXPECT_TRUE(dialog) << "no error dialog: the row tests nothing";
    ASSERT_TRUE(e.ended) << "still running 30 s after SIGTERM";
    EXPECT_LE(e.took, std::chrono::seconds(2));
    ASSERT_TRUE(WIFEXITED(e.status));
    EXPECT_EQ(WEXITSTATUS(e.status), 0);
}
