#include "platform/trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace trace {

namespace {
// Static initialisation: after exec and dynamic linking, before main.
const auto started = std::chrono::steady_clock::now();
}  // namespace

bool enabled()
{
    static const bool on = std::getenv("TAVORO_TRACE") != nullptr;
    return on;
}

void mark(const char* what)
{
    if (!enabled())
        return;
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    // The processor time so far of the calling thread and of the whole
    // program: on a busy machine they move less than the clock.
    auto cpu = [](clockid_t clock) {
        timespec t{};
        clock_gettime(clock, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    };
    std::fprintf(stderr, "tavoro-trace %8.2f %s  [cpu thread %.2f, program %.2f]\n", ms, what,
                 cpu(CLOCK_THREAD_CPUTIME_ID), cpu(CLOCK_PROCESS_CPUTIME_ID));
}

}  // namespace trace
