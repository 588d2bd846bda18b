#include "widgets/room_look.h"

#include <QApplication>
#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPalette>
#include <QVariant>

#include <algorithm>
#include <utility>

namespace widgets {

namespace {

// The room's colours: the cream of the wallpaper window's panel, the walnut
// of the toolbar, the gilt of a chosen mode, the dark brown of the writing.
const QColor kPaper(0xf6, 0xef, 0xdd);
const QColor kPaperLight(0xff, 0xfa, 0xf0);
const QColor kInk(0x3b, 0x24, 0x14);
const QColor kWalnut(0x7a, 0x56, 0x36);
const QColor kLetters(0xfb, 0xf3, 0xe2);
const QColor kLink(0x1a, 0x4f, 0xa0);

// The serif of the about window's title, for the dialogs' texts.
const QString kFamily = QStringLiteral("DejaVu Serif");
constexpr qreal kPoints = 10;

const char* const kWantsLook = "roomLook";
const char* const kHasLook = "roomLookApplied";
const char* const kKeepsItsSize = "keepsItsSize";
const char* const kTitleSpacer = "roomTitleSpacer";

QPalette roomPalette()
{
    const QColor faded(0x9a, 0x8a, 0x78);
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::Window, kPaper},         {QPalette::WindowText, kInk},
        {QPalette::Text, kInk},             {QPalette::Base, kPaperLight},
        {QPalette::AlternateBase, kPaper},  {QPalette::Button, kWalnut},
        {QPalette::ButtonText, kLetters},   {QPalette::Highlight, kWalnut},
        {QPalette::HighlightedText, kLetters}, {QPalette::ToolTipBase, kPaperLight},
        {QPalette::ToolTipText, kInk},      {QPalette::Link, kLink},
    };
    QPalette p = QApplication::palette();
    for (const auto& [role, colour] : roles)
        p.setColor(role, colour);
    p.setColor(QPalette::Disabled, QPalette::WindowText, faded);
    p.setColor(QPalette::Disabled, QPalette::Text, faded);
    return p;
}

bool wantsLook(const QWidget* w)
{
    return w->isWindow() && (qobject_cast<const QDialog*>(w) || w->property(kWantsLook).toBool());
}

// A window with a frame of the window manager, whose title it shows.
bool hasTitleBar(const QWidget* w)
{
    const Qt::WindowFlags flags = w->windowFlags();
    const Qt::WindowFlags type = flags & Qt::WindowType_Mask;
    return !(flags & Qt::FramelessWindowHint) && type != Qt::SplashScreen && type != Qt::ToolTip
        && type != Qt::Popup;
}

// The wooden buttons carry words only: the desktop's stock icons of OK,
// Cancel, Yes and No are dark on the wood.
void plainButtons(QWidget* window)
{
    for (QDialogButtonBox* box : window->findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* button : box->buttons())
            button->setIcon(QIcon());
    }
}

}  // namespace

RoomLook::RoomLook()
{
    qApp->installEventFilter(this);
}

RoomLook::~RoomLook()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool RoomLook::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Polish || type == QEvent::Show) && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (wantsLook(w)) {
            if (type == QEvent::Polish) {
                applyRoomLook(w);
            } else {
                plainButtons(w);
                fitTitle(w);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void useRoomLook(QWidget* window)
{
    window->setProperty(kWantsLook, true);
}

void keepPlacedSize(QWidget* button)
{
    button->setProperty(kKeepsItsSize, true);
}

QString roomStyleSheet()
{
    return QStringLiteral(
        "QPushButton {"
        " color: #fbf3e2;"
        " background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8d6642, stop:1 #5a3d26);"
        " border: 1px solid #3e2a1a; border-radius: 4px;"
        " padding: 2px 8px; min-width: 4.5em; min-height: 1.3em; }"
        "QPushButton:hover {"
        " background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #9d7650, stop:1 #6a4a30); }"
        "QPushButton:pressed, QPushButton:checked { background-color: #4a3220; }"
        "QPushButton:default { border: 2px solid #e6af28; font-weight: bold; }"
        "QPushButton:disabled { color: #c8b8a0; background-color: #8a7a6a; border-color: #6a5a4a; }"
        "QPushButton:flat { background: transparent; border: none; min-width: 0; padding: 0; }"
        "QPushButton[keepsItsSize=\"true\"] { min-width: 0; min-height: 0; padding: 0; }"
        "QLineEdit {"
        " color: #3b2414; background-color: #fffaf0;"
        " border: 1px solid #8a6a44; border-radius: 3px; padding: 3px;"
        " selection-background-color: #7a5636; selection-color: #fbf3e2; }"
        "QLineEdit:focus { border: 2px solid #7a5636; padding: 2px; }");
}

void applyRoomLook(QWidget* window)
{
    if (window->property(kHasLook).toBool())
        return;
    window->setProperty(kHasLook, true);
    // What the window set itself comes first: a colour or font it changed
    // from the application's stays.
    const QPalette standard = QApplication::palette(window);
    const QPalette room = roomPalette();
    QPalette palette = window->palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        const auto g = static_cast<QPalette::ColorGroup>(group);
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto role = static_cast<QPalette::ColorRole>(r);
            if (palette.brush(g, role) == standard.brush(g, role))
                palette.setBrush(g, role, room.brush(g, role));
        }
    }
    window->setPalette(palette);
    if (window->font() == QApplication::font(window)) {
        QFont font(kFamily);
        font.setPointSizeF(kPoints);
        window->setFont(font);
    }
    window->setStyleSheet(roomStyleSheet() + window->styleSheet());
}

int titleWidth(const QString& title)
{
    // The window manager's title font, bold as most draw it, never smaller
    // than a 10-point sans.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    if (font.pointSizeF() > 0 && font.pointSizeF() < 10)
        font.setPointSizeF(10);
    const QFontMetrics metrics(font);
    // The window menu, minimize, maximize and close, each about as wide as
    // the title bar is high, and the margins at both ends.
    constexpr int kFrameButtons = 4;
    const int button = metrics.height() + 10;
    return metrics.horizontalAdvance(title) + kFrameButtons * button + 2 * 16;
}

void fitTitle(QWidget* window)
{
    if (!hasTitleBar(window) || window->windowTitle().isEmpty())
        return;
    const int need = titleWidth(window->windowTitle());
    // A message box sets its own size from its layout as it is shown: a
    // spacer as wide as the title goes into the layout, once.
    if (qobject_cast<QMessageBox*>(window)) {
        auto* grid = qobject_cast<QGridLayout*>(window->layout());
        if (!grid || window->property(kTitleSpacer).toBool())
            return;
        window->setProperty(kTitleSpacer, true);
        const QMargins m = grid->contentsMargins();
        grid->addItem(new QSpacerItem(need - m.left() - m.right(), 0, QSizePolicy::Fixed,
                                      QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
        return;
    }
    if (window->width() >= need && window->minimumWidth() >= need)
        return;
    if (window->minimumWidth() == window->maximumWidth())
        window->setFixedWidth(std::max(need, window->width()));
    else
        window->setMinimumWidth(std::max(need, window->minimumWidth()));
}

}  // namespace widgets
