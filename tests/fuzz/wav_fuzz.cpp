// The sound effects' wave reader: any bytes give either no sound or whole
// stereo frames.

#include "fuzz_support.h"

#include "platform/audio.h"
#include "platform/sound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<float> samples = sound::decode(fuzz::bytesOf(data, size));
    FUZZ_CHECK(samples.size() % audio::kChannels == 0);
    return 0;
}
