// The MIDI file reader: any bytes give either nothing or a timing whose
// times never run backwards.

#include "fuzz_support.h"

#include "platform/smf.h"

#include <algorithm>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<smf::Timing> timing =
        smf::Timing::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!timing)
        return 0;
    const int64_t total = timing->totalTicks();
    FUZZ_CHECK(total >= 0);
    FUZZ_CHECK(timing->lengthMs() >= 0);
    FUZZ_CHECK(timing->tickToMs(total) == timing->lengthMs());
    int64_t before = timing->tickToMs(-1);
    FUZZ_CHECK(before == 0);
    std::vector<int64_t> ticks{0, 1, total / 3, total / 2, total - 1, total, total + 1};
    std::sort(ticks.begin(), ticks.end());
    for (const int64_t tick : ticks) {
        if (tick < 0)
            continue;
        const int64_t ms = timing->tickToMs(tick);
        FUZZ_CHECK(ms >= before);
        before = ms;
    }
    return 0;
}
