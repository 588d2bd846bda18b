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

QRect availableArea(const QScreen* screen)
{
    return screen ? screen->availableGeometry() : QRect(QPoint(0, 0), MinimumClient);
}

QRect availableArea(const QWidget& window)
{
    return availableArea(window.screen() ? window.screen() : QGuiApplication::primaryScreen());
}

QSize clientSizeIn(const QRect& available)
{
    return opensMaximized(available.size()) ? available.size() : MinimumClient;
}

}  // namespace

QSize startClientSize(const QWidget& window)
{
    return clientSizeIn(availableArea(window));
}

QSize startClientSize()
{
    return clientSizeIn(availableArea(QGuiApplication::primaryScreen()));
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
