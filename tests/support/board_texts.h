#pragma once
// The English texts of the messages the main window's board uses, for tests
// that want readable texts without the language file.

#include <QString>

#include <cstdint>

namespace testsupport {

inline QString boardText(int16_t key)
{
    switch (key % 1000) {
    case 106: return QStringLiteral("Moves");
    case 110: return QStringLiteral("Start game");
    case 111: return QStringLiteral("End game");
    case 124: return QStringLiteral("Really quit Tavoro?");
    case 161: return QStringLiteral("Slide");
    case 162: return QStringLiteral("Swap");
    default: return QString();
    }
}

}  // namespace testsupport
