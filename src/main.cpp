#include "champions/frmHighscore.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmPicAuswahl.h"
#include "dialogs/frmStatistik.h"
#include "dialogs/frmTapete.h"
#include "dialogs/help.h"
#include "dialogs/ErrPtnr.h"
#include "mainwindow/frmTavoro.h"
#include "mainwindow/startsize.h"
#include "platform/appinfo.h"
#include "platform/command_line.h"
#include "platform/fonts.h"
#include "platform/termination.h"
#include "platform/trace.h"
#include "services/media.h"
#include "widgets/accessibility.h"
#include "widgets/room_look.h"
#include "widgets/seams.h"

#include <QApplication>

#include <memory>

namespace {

// The windows the main window opens, given to it here: the program is the one
// layer that knows both.
void wireWindows()
{
    widgets::Seams& d = widgets::defaultSeams();
    d.showChampions = champions::showHighscore;
    d.showPictureWindow = [](QWidget* owner) {
        frmPicAuswahl window(owner);
        window.Form_Load();
        window.exec();
    };
    d.showWallpaperWindow = [](QWidget* owner) {
        frmTapete window(owner);
        window.Form_Load();
        window.exec();
    };
    d.HtmlHelp = help::HtmlHelp;
    d.showAbout = [](QWidget* owner) { frmInfo::showAboutBox(owner); };
    d.showStatistics = frmStatistik::showStatistics;
    widgets::resetSeams();
}

}  // namespace

int main(int argc, char* argv[])
{
    // --help and --version answer before any window system is asked for.
    if (const auto exitCode = commandline::answer(argc, argv, stdout))
        return *exitCode;
    trace::mark("main");
    fonts::loadConfigurationEarly();
    QApplication app(argc, argv);
    trace::mark("application made");
    // On a worker while the start screen is built: the fonts looked up
    // before the first text is drawn.
    fonts::prepareInBackground(QStringList{frmInfo::titleFontFamily()} + frmTavoro::fontFamilies());
    // Sound and music wait until the room has been painted once (the main
    // window lets them start then), or a few seconds at most. Made after the
    // application object and ended before it, with the windows gone.
    Allgemein::Media media{media::Engine::Sound::AfterFirstPaint};
    QApplication::setApplicationName(appinfo::title());
    QApplication::setApplicationVersion(appinfo::versionText());
    // The desktop matches the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(appinfo::desktopId());
    // Every dialog of the run in the room's look.
    widgets::RoomLook roomLook;
    errors::installErrorDialog();
    std::unique_ptr<frmTavoro> window;
    const auto keepGame = [&window] {
        if (window)
            window->keepGameNow();
    };
    termination::quitOnSignals(keepGame);
    wireWindows();
    widgets::describeControlsForAssistiveTechnology();

    // The start screen settles the language and writes the language file,
    // then loads the main window (which reads the settings, the picture and
    // the stored size), shows it and closes. The window is laid out for the
    // size at which it first stands on the screen: maximized, or 800 x 600 on
    // a small screen.
    frmInfo::setMainWindow({
        [&window]() -> QWidget* {
            window = std::make_unique<frmTavoro>();
            trace::mark("main window made");
            window->Form_Load();
            trace::mark("Form_Load done");
            return window.get();
        },
        [](QWidget& w) {
            mainwindow::showMainWindow(w);
            trace::mark("shown");
        },
        [](QWidget& w, std::function<void()> then) {
            static_cast<frmTavoro&>(w).afterFirstPaint(std::move(then));
        },
    });
    frmInfo::showStartScreen();
    // A signal noted while the start screen still waited in a window of its
    // own (the error dialog, say) has ended that loop already.
    int exitCode = 0;
    if (termination::requested())
        keepGame();
    else
        exitCode = app.exec();
    window.reset();
    media.engine().shutdown();
    return exitCode;
}
