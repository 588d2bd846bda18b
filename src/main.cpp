#include "dialogs/frmInfo.h"
#include "errors/ErrPtnr.h"
#include "mainwindow/frmTavoro.h"
#include "mainwindow/startsize.h"
#include "platform/appinfo.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(appinfo::title());
    QApplication::setApplicationVersion(appinfo::versionText());
    // The desktop matches the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(appinfo::desktopId());
    errors::installErrorDialog();

    // The start screen settles the language and writes the language file,
    // then loads the main window (which reads the settings, the picture and
    // the stored size), shows it and closes. The window is laid out for the
    // size at which it first stands on the screen: maximized, or 800 x 600 on
    // a small screen.
    std::unique_ptr<frmTavoro> window;
    frmInfo::setMainWindow({
        [&window]() -> QWidget* {
            window = std::make_unique<frmTavoro>();
            window->Form_Load();
            return window.get();
        },
        [](QWidget& w) { mainwindow::showMainWindow(w); },
    });
    frmInfo::showStartScreen();
    return app.exec();
}
