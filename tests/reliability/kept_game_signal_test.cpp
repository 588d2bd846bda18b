// A game ended by a signal between or during moves: SIGTERM (a logout, a
// shutdown) lets the program end in order and keep the game; SIGKILL leaves
// the kept game of a recent move, whole, never half a file.

#include "services/kept_game.h"
#include "platform/seams.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

struct Ended {
    bool started = false;
    int status = 0;
};

// Starts the player on the folder, lets it play a while, sends the signal.
Ended playAndSignal(const QString& folder, int signal, std::chrono::milliseconds after)
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
        ::execl(TAVORO_GAME_PLAYER, TAVORO_GAME_PLAYER, arg.constData(), static_cast<char*>(nullptr));
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
    ::waitpid(pid, &e.status, 0);
    ::close(out[0]);
    return e;
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
            EXPECT_TRUE(WIFEXITED(e.status)) << "ended in order";
            EXPECT_EQ(WEXITSTATUS(e.status), 0);
        }
        platform::seams().programFolder = folder.path();
        const QByteArray bytes = testsupport::readFile(keptgame::path());
        platform::resetSeams();
        QString why;
        const auto kept = keptgame::decode(bytes, &why);
        ASSERT_TRUE(kept) << qPrintable(why) << "\n" << bytes.constData();
        EXPECT_EQ(kept->size, 4);
        EXPECT_GE(kept->moves, 1);
    }
}
