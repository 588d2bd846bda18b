#include "errors/ErrPtnr.h"
#include "platform/appinfo.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(appinfo::title());
    QApplication::setApplicationVersion(appinfo::versionText());
    errors::installErrorDialog();

    QWidget window;
    window.setWindowTitle(appinfo::title());
    window.resize(800, 600);
    window.show();
    return app.exec();
}
