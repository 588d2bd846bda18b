#include "mainwindow/startsize.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace mainwindow {

bool opensMaximized(QSize available)
{
    return available.width() >= MinimumClient.width()
        && available.height() >= MinimumClient.height() + FrameAllowance;
}

void showMainWindow(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), MinimumClient);
    if (opensMaximized(available.size())) {
        // Without a window manager nothing maximizes the window: it then
        // covers the free area by itself.
        window.setGeometry(available);
        window.showMaximized();
    } else {
        window.resize(MinimumClient);
        window.move(available.topLeft());
        window.show();
    }
}

}  // namespace mainwindow
