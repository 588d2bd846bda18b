#include "errors/ErrPtnr.h"
#include "mainwindow/frmTavoro.h"
#include "mainwindow/startsize.h"
#include "platform/appinfo.h"
#include "platform/audio.h"
#include "platform/trace.h"
#include "services/language.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    trace::mark("main");
    QApplication app(argc, argv);
    trace::mark("application made");
    // The sound device opens meanwhile, for the first sound effect.
    audio::openInBackground();
    QApplication::setApplicationName(appinfo::title());
    QApplication::setApplicationVersion(appinfo::versionText());
    errors::installErrorDialog();

    // The language of this run, and the language file the texts are read from.
    Allgemein::ChooseStartLanguage();

    // The main window reads the settings, the picture and the stored size.
    frmTavoro window;
    trace::mark("main window made");
    window.Form_Load();
    trace::mark("Form_Load done");

    // The window is laid out for the size at which it first stands on the
    // screen: maximized, or 800 x 600 on a small screen.
    mainwindow::showMainWindow(window);
    trace::mark("shown");
    return app.exec();
}
