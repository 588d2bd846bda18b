// One test program for the whole game; the windows need a QApplication.
#include "services/media.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    // The temporary folder follows $TMPDIR in the tests.
    qunsetenv("XDG_RUNTIME_DIR");
    // What the game keeps in the player's cache folder stays with the run;
    // a test's child (another copy of the game, say) shares the run's, as
    // two copies of the game share the player's.
    QTemporaryDir cache;
    if (!qEnvironmentVariableIsSet("TAVORO_TEST_CHILD"))
        qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    Allgemein::Media media;
    return RUN_ALL_TESTS();
}
