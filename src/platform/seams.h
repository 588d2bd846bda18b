#pragma once
// What the platform takes from the machine, in one place for tests: the
// program's folder and file name, the user's locale, the desktop's opener of
// addresses, the maker's addresses, the clocks, the SoundFont places, the printer and the system
// facts. A test sets a member to put its own in place of the machine's;
// every member is empty by default, and an empty member means the real
// thing: the facility that owns it (appinfo, userlocale, shell, wallclock,
// synth, mci, printer, osversion) looks at its member first.

#include "platform/osversion.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

struct Seams {
    // appinfo::programFolder(); the player's files (appinfo::dataFolder())
    // follow it.
    QString programFolder;
    // appinfo::exeBaseName().
    QString exeBaseName;
    // userlocale::userLanguageId(): the user's locale as Windows names it.
    QString userLanguageId;
    // shell::open(address): opens the address, true when it was taken.
    std::function<bool(const QString& address)> openAddress;
    // maker::homePage() and maker::supportEmail(): the addresses the build
    // gives; an empty string, as a build without them.
    std::optional<QString> homePage;
    std::optional<QString> supportEmail;
    // wallclock::NowDateTime(): the local date and time.
    std::function<QDateTime()> now;
    // synth::soundFontCandidates(): the places searched for a SoundFont; an
    // empty list: no SoundFont anywhere.
    std::optional<QStringList> soundFontCandidates;
    // The clock a silent track follows (mci), in milliseconds.
    std::function<int64_t()> mciClock;
    // printer::printLines(lines): prints on the default printer; false when
    // nothing was printed.
    std::function<bool(const QStringList& lines)> printLines;
    // osversion::query(): the facts of the running system.
    std::function<osversion::SystemFacts()> systemFacts;
};

// The pieces in force.
Seams& seams();
// Puts every piece back to the real thing.
void resetSeams();

}  // namespace platform
