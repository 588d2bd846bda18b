#pragma once
// Helpers for the music and sound tests: an environment variable set for the
// life of a test, a fresh temporary folder for the game, and the audio output
// brought back to the state a test expects.

#include "platform/audio.h"
#include "platform/mci.h"
#include "platform/seams.h"
#include "platform/synth.h"
#include "support/files.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <optional>

namespace testsupport {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name)
    {
        if (qEnvironmentVariableIsSet(name))
            old_ = qgetenv(name);
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (old_)
            qputenv(name_, *old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

// The game's temporary folder lives under TMPDIR: give each test its own.
class PrivateTemp {
public:
    PrivateTemp() : env_("TMPDIR", QFile::encodeName(dir_.path())) {}
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    ScopedEnv env_;
};

// No track open, no audio device, the real clock and SoundFont places.
inline void resetAudio()
{
    mciSendString(QStringLiteral("close midi"));
    mci::waitForWorker();
    platform::seams().mciClock = nullptr;
    platform::seams().soundFontCandidates.reset();
    audio::shutdown();
}

// Waits, letting events run, until `done` holds or `seconds` have passed.
inline bool waitFor(const std::function<bool()>& done, int seconds = 10)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > seconds * 1000)
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

}  // namespace testsupport
