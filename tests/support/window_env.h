#pragma once
// What a window test stands in: a fresh shared record, the window services
// at their defaults, a folder of its own for the player's files, and error
// reports answered by a script. Declare it before the window, so that the
// window goes first; it checks at the end that nothing was left reported.

#include "platform/seams.h"
#include "services/picture_later.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/files.h"
#include "support/scripted_errors.h"
#include "widgets/seams.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSemaphore>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace testsupport {

// Turns the event loop until every own picture read on the worker has arrived
// (or been dropped); false when some are still out after ten seconds.
inline bool waitForPictures()
{
    // Generous: a sanitizer build on a busy machine reads slowly.
    QDeadlineTimer deadline(60000);
    while (pictures::readingsUnderWay() > 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return pictures::readingsUnderWay() == 0;
}

// While one lives, every own picture read on the worker waits before it is read
// until open() (at the latest at its end): a test sees what the game does
// while a large picture is read. Make it after the WindowEnv.
struct HeldPictures {
    std::shared_ptr<QSemaphore> gate = std::make_shared<QSemaphore>(0);
    std::shared_ptr<std::atomic<int>> held = std::make_shared<std::atomic<int>>(0);

    HeldPictures()
    {
        services::seams().beforePictureRead = [gate = gate, held = held](const QString&) {
            ++*held;
            gate->acquire();
        };
    }
    ~HeldPictures() { open(); }
    // Lets every reading go, now and from now on.
    void open()
    {
        services::seams().beforePictureRead = {};
        gate->release(1000);
    }
    // Turns the event loop until `n` readings wait (false after ten seconds).
    bool untilWaiting(int n) const
    {
        QDeadlineTimer deadline(10000);
        while (held->load() < n && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return held->load() >= n;
    }
};

struct WindowEnv {
    ScriptedErrors errors;
    QTemporaryDir folder;  // the player's folder

    WindowEnv()
    {
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
        services::resetSeams();
        widgets::resetSeams();
        platform::seams().programFolder = folder.path();
    }

    ~WindowEnv()
    {
        // No reading of this test's pictures outlives it.
        EXPECT_TRUE(waitForPictures());
        EXPECT_TRUE(errors.reports.empty())
            << "failure reported in " << qPrintable(errors.reports.front().procedure);
        services::resetSeams();
        widgets::resetSeams();
        platform::resetSeams();
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
    }

    // The settings file as text ("" while there is none).
    QString ini() const { return QString::fromUtf8(readFile(folder.filePath("Tavoro.ini"))); }
};

}  // namespace testsupport
