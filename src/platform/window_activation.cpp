#include "platform/window_activation.h"

#include <QGuiApplication>
#include <QWidget>

namespace platform {

bool programMayActivateWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void activateWindow(QWidget* window)
{
    if (window && programMayActivateWindows())
        window->activateWindow();
}

}  // namespace platform
