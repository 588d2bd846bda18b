#include "errors/ErrPtnr.h"
#include "mainwindow/frmTavoro.h"
#include "mainwindow/startsize.h"
#include "platform/appinfo.h"
#include "services/language.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(appinfo::title());
    QApplication::setApplicationVersion(appinfo::versionText());
    // The desktop matches the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(appinfo::desktopId());
    errors::installErrorDialog();

    // The language of this run, and the language file the texts are read from.
    Allgemein::ChooseStartLanguage();

    // The main window reads the settings, the picture and the stored size.
    frmTavoro window;
    window.Form_Load();

    // The window is laid out for the size at which it first stands on the
    // screen: maximized, or 800 x 600 on a small screen.
    mainwindow::showMainWindow(window);
    return app.exec();
}
