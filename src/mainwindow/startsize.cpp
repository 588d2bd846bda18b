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

namespace {

QRect availableArea(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(QPoint(0, 0), MinimumClient);
}

}  // namespace

QSize startClientSize(const QWidget& window)
{
    const QRect available = availableArea(window);
    return opensMaximized(available.size()) ? available.size() : MinimumClient;
}

void showMainWindow(QWidget& window)
{
    const QRect available = availableArea(window);
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
