// A writer for the crash test (tests/reliability/crash_test.cpp): stores
// settings and champions in an endless loop, the way the game does, until it
// is killed. Usage: crash_writer FOLDER
//
// Round i stores i under every settings key below, one SaveIni each in that
// order, then ranks a champions entry of round i into section m50 and stores
// the list. Each round's entry has fewer seconds than every earlier one, so
// it goes to the top and pushes every stored entry one place down: the
// hardest case for a list stored while the program may die at any moment.
// A new run goes on from the round the settings file holds. One byte on
// standard output tells that the loop has begun.

#include "champions/frmHighscore.h"
#include "errors/trap.h"
#include "platform/seams.h"
#include "services/settings.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "crash/crash_keys.h"

namespace {

// A failure the trap catches ends the writer: the test then sees a writer
// that stopped by itself, not one that was killed.
class StopOnError : public errors::ErrorService {
public:
    int16_t OnError(const QString& object, const QString& procedure,
                    const errors::FailureRecord&) override
    {
        std::fprintf(stderr, "crash_writer: failure in %s.%s\n", qPrintable(object),
                     qPrintable(procedure));
        std::_Exit(3);
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: crash_writer FOLDER\n");
        return 2;
    }
    QApplication app(argc, argv);
    StopOnError stop;
    errors::setErrorService(&stop);
    platform::seams().programFolder = QString::fromLocal8Bit(argv[1]);

    const crashkeys::Key& first = crashkeys::kSettings.front();
    long round = Allgemein::GetIniString(first.section, first.key, "0").toLong();
    (void)!::write(STDOUT_FILENO, "+", 1);
    for (;;) {
        ++round;
        for (const crashkeys::Key& k : crashkeys::kSettings)
            Allgemein::SaveIni(k.section, k.key, crashkeys::settingValue(k, round));
        frmHighscore window;
        window.Section = crashkeys::kChampionsSection;
        window.GetHS();
        window.lstSort.AddItem(crashkeys::entryOf(round));
        if (!window.WriteHS()) {
            std::fprintf(stderr, "crash_writer: the champions list was not stored\n");
            return 3;
        }
    }
}
