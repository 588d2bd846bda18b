#include "platform/termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace termination {

namespace {

int pipeEnds[2] = {-1, -1};
std::atomic<bool> signalled{false};
bool ending = false;
std::function<void()> keepOnEnd;

// Seconds the orderly way may take before the program ends regardless.
constexpr unsigned kLastResortSeconds = 1;

void endNow(int)
{
    ::_exit(0);
}

void noteSignal(int)
{
    if (!signalled.exchange(true))
        ::alarm(kLastResortSeconds);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
}

}  // namespace

void quitOnSignals(std::function<void()> keep)
{
    if (pipeEnds[0] >= 0 || ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    keepOnEnd = std::move(keep);
    auto* notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read,
                                         QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char bytes[16];
        while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
        }
        if (ending)
            return;
        ending = true;
        if (keepOnEnd)
            keepOnEnd();
        // Ends every running event loop of this thread, the nested ones of
        // modal windows too (QCoreApplication::quit would ask the windows to
        // close, which a modal one may refuse).
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(s, &action, nullptr);
    struct sigaction last {};
    last.sa_handler = endNow;
    sigemptyset(&last.sa_mask);
    ::sigaction(SIGALRM, &last, nullptr);
}

bool requested()
{
    return signalled.load();
}

}  // namespace termination
