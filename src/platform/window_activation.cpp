#include "platform/window_activation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

namespace platform {

bool programMayActivateWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool windowsMayFade()
{
    const QString name = QGuiApplication::platformName();
    return name == QLatin1String("xcb") || name == QLatin1String("windows")
           || name == QLatin1String("cocoa");
}

void activateWindow(QWidget* window)
{
    if (window && programMayActivateWindows())
        window->activateWindow();
}

void requestFirstActivation(QWidget* window)
{
    if (!window)
        return;
    if (programMayActivateWindows()) {
        window->activateWindow();
        return;
    }
    QTimer::singleShot(0, window, [window] {
        if (!window->isActiveWindow()) {
            QEvent activated(QEvent::WindowActivate);
            QCoreApplication::sendEvent(window, &activated);
        }
    });
}

}  // namespace platform
