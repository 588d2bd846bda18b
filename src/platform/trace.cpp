#include "platform/trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

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
    std::fprintf(stderr, "tavoro-trace %8.2f %s\n", ms, what);
}

}  // namespace trace
