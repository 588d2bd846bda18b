#include "mainwindow/startsize.h"

#include "services/language.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

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

}  // namespace

QSize smallestClient(const QWidget& window)
{
    return MinimumClient.boundedTo(availableArea(window).size());
}

namespace {

const QString kNormalKey = QStringLiteral("Window/Normal");
const QString kMaximizedKey = QStringLiteral("Window/Maximized");

// Whether a window there shows its title bar on one of the screens.
bool titleOnAScreen(const QRect& r)
{
    const QPoint title = r.topLeft() + QPoint(std::min(60, r.width() / 2), 8);
    for (const QScreen* s : QGuiApplication::screens())
        if (s->availableGeometry().contains(title))
            return true;
    return false;
}

}  // namespace

QRect normalPlace(const QRect& available)
{
    // Four fifths of the free area, centred, never below the smallest room
    // nor beyond the free area.
    const QSize size = (available.size() * 4 / 5).expandedTo(MinimumClient)
                           .boundedTo(available.size());
    QRect r(QPoint(0, 0), size);
    r.moveCenter(available.center());
    return r;
}

void showMainWindow(QWidget& window)
{
    const QRect available = availableArea(window);
    bool maximized = opensMaximized(available.size());
    QRect normal = maximized ? normalPlace(available) : QRect(available.topLeft(), MinimumClient);
    // The place the player left it in, while that is still on a screen.
    const auto record = Allgemein::PlayerRecord();
    const QRect kept = record->value(kNormalKey).toRect();
    if (kept.isValid() && titleOnAScreen(kept)) {
        normal = kept;
        maximized = record->value(kMaximizedKey, maximized).toBool();
    }
    // Un-maximized, the window takes this place, its title bar on the screen.
    window.setGeometry(normal);
    if (maximized)
        window.showMaximized();
    else
        window.show();
}

void rememberWindowPlace(const QWidget& window)
{
    const auto record = Allgemein::PlayerRecord();
    record->setValue(kNormalKey, window.normalGeometry());
    record->setValue(kMaximizedKey, window.isMaximized());
    record->sync();
}

}  // namespace mainwindow
