#include "mainwindow/startsize.h"

#include "services/player_record.h"

#include <QGuiApplication>
#include <QList>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

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

QRect placeOnScreen(const QRect& kept, const QList<QRect>& areas, const QRect& fallback)
{
    // The screen that shows most of it, else the one it opens on.
    QRect area = fallback;
    long long most = 0;
    for (const QRect& a : areas) {
        const QRect common = a.intersected(kept);
        const long long shown = common.isValid() ? 1ll * common.width() * common.height() : 0;
        if (shown > most) {
            most = shown;
            area = a;
        }
    }
    // Its title bar above it stays on the screen too.
    const int title = FrameAllowance - 8;
    const QSize room(area.width(), std::max(1, area.height() - title));
    const QSize size = kept.size().boundedTo(room).expandedTo(MinimumClient.boundedTo(room));
    const int x = std::clamp(kept.x(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(kept.y(), area.top() + title,
                             area.top() + title + room.height() - size.height());
    return QRect(QPoint(x, y), size);
}

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
    // The place the player left it in, moved (and shrunk) onto the screen
    // it now opens on: the screens may be other ones than last time.
    const Allgemein::PlayerRecord record;
    if (const std::optional<QRect> kept = record.windowPlace()) {
        QList<QRect> areas;
        for (const QScreen* s : QGuiApplication::screens())
            areas << s->availableGeometry();
        normal = placeOnScreen(*kept, areas, available);
        maximized = record.windowMaximized().value_or(maximized);
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
    Allgemein::PlayerRecord record;
    record.setWindow(window.normalGeometry(), window.isMaximized());
    record.store();
}

}  // namespace mainwindow
