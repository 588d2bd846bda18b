#include "platform/seams.h"

namespace platform {

Seams& seams()
{
    static Seams s;
    return s;
}

void resetSeams()
{
    seams() = Seams{};
}

}  // namespace platform
