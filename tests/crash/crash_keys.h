#pragma once
// What the crash writer stores and the crash test checks: the settings keys
// in the order they are written, and the round a stored value or champions
// entry belongs to.

#include <QString>
#include <array>

namespace crashkeys {

struct Key {
    const char* section;
    const char* key;
};

// Written in this order, every round.
inline constexpr std::array<Key, 9> kSettings{{
    {"Optionen", "Sprache"}, {"Optionen", "Size"}, {"Optionen", "Mode"},
    {"Optionen", "PlaySound"}, {"Optionen", "PlayMusic"}, {"Pictures", "Picture"},
    {"Pictures", "Album"}, {"Pictures", "File"}, {"Pictures", "Background"}}};

inline constexpr const char* kChampionsSection = "m50";

// The rounds stay below this, so that every entry's seconds stay positive.
constexpr long kLastRound = 90000;

inline QString settingValue(const Key& k, long round)
{
    // "File" holds a file name; every other key a number.
    return QLatin1String(k.key) == QLatin1String("File")
               ? QStringLiteral("Bild%1.bmp").arg(round)
               : QString::number(round);
}

// The round a stored setting belongs to, or -1 for a value no round wrote.
inline long roundOfSetting(const Key& k, const QString& value)
{
    QString digits = value;
    if (QLatin1String(k.key) == QLatin1String("File")) {
        if (!value.startsWith(QLatin1String("Bild")) || !value.endsWith(QLatin1String(".bmp")))
            return -1;
        digits = value.mid(4, value.size() - 8);
    }
    bool ok = false;
    const long round = digits.toLong(&ok);
    return ok && QString::number(round) == digits ? round : -1;
}

// Round r's champion: fewer seconds than every earlier round, r moves.
inline QString entryOf(long round)
{
    return QStringLiteral("%1%2Round %3")
        .arg(kLastRound + 1 - round, 5, 10, QLatin1Char('0'))
        .arg(round % 100000, 5, 10, QLatin1Char('0'))
        .arg(round);
}

// The round of a stored entry, or -1 for a text no round stored.
inline long roundOfEntry(const QString& entry)
{
    const int at = entry.indexOf(QLatin1String("Round "));
    if (at != 10)
        return -1;
    bool ok = false;
    const long round = entry.mid(at + 6).toLong(&ok);
    return ok && round > 0 && round <= kLastRound && entryOf(round) == entry ? round : -1;
}

}  // namespace crashkeys
