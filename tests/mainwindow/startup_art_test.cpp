// The start: the start screen and the main room take all the artwork they show
// at start-up from the rasters made at build time, the picture frame too,
// whose size follows the screen: no SVG is rendered.
#include "dialogs/frmInfo.h"
#include "mainwindow/frmTavoro.h"
#include "mainwindow/startsize.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/game_folders.h"
#include "support/main_window_services.h"
#include "support/scripted_errors.h"
#include "widgets/art_render.h"
#include "widgets/controls.h"

#include <QApplication>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <memory>
#include <mutex>

TEST(StartUpArt, TheStartScreenAndTheRoomRenderNoSvg)
{
    testsupport::ScriptedErrors errors;
    testsupport::GameFolders files;
    g = SharedRecord{};
    Allgemein::settings() = Allgemein::Settings{};
    frmInfo::StartScreenShown = false;
    testsupport::useTestServices();

    std::mutex mutex;
    QStringList rendered;
    widgets::seams().svgRendered = [&](const QString& path, QSize size) {
        std::lock_guard lock(mutex);
        rendered << QStringLiteral("%1 %2x%3").arg(path).arg(size.width()).arg(size.height());
    };

    // As the program starts: the start screen loads and shows the main window.
    std::unique_ptr<frmTavoro> main;
    frmInfo::setMainWindow({
        [&]() -> QWidget* {
            main = std::make_unique<frmTavoro>();
            main->Form_Load();
            // The puzzle picture is one of the tests' own; tiles and artwork
            // are the program's.
            services::seams().resourceRoot.clear();
            return main.get();
        },
        [](QWidget& w) { mainwindow::showMainWindow(w); },
        [](QWidget& w, std::function<void()> then) {
            static_cast<frmTavoro&>(w).afterFirstPaint(std::move(then));
        },
    });
    frmInfo::showStartScreen();
    ASSERT_TRUE(main);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    QCoreApplication::processEvents();
    // Every control of the room painted, its toolbar and furniture shown.
    ASSERT_TRUE(main->Positioned);
    ASSERT_TRUE(main->imgTeddy->isVisible());
    ASSERT_TRUE(main->PicBut(16)->isVisible());
    // The start screen comes over the room once that has been painted.
    const auto startScreenShown = [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<frmInfo*>(top) && top->isVisible())
                return true;
        return false;
    };
    QTRY_VERIFY(startScreenShown());
    QThreadPool::globalInstance()->waitForDone();
    {
        std::lock_guard lock(mutex);
        EXPECT_TRUE(rendered.isEmpty()) << qPrintable(rendered.join(", "));
        rendered.clear();
    }

    // The hook does see a rendering of art without a raster.
    widgets::renderArt(":/art/furniture/uhr.svg", QSize(54, 35));
    {
        std::lock_guard lock(mutex);
        EXPECT_EQ(rendered, QStringList{":/art/furniture/uhr.svg 54x35"});
    }

    widgets::resetSeams();
    frmInfo::setMainWindow({});
    // The start screen, still fading out, goes with the test.
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<frmInfo*>(top))
            top->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main.reset();
    testsupport::restoreServices();
    frmInfo::StartScreenShown = false;
    g = SharedRecord{};
    Allgemein::settings() = Allgemein::Settings{};
    EXPECT_TRUE(errors.reports.empty())
        << "failure reported in " << qPrintable(errors.reports.front().procedure) << ": "
        << qPrintable(errors.reports.front().failure.description);
}
