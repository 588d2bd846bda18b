// Names for assistive technology: an icon's tooltip becomes its name and
// follows it, a name given by other means stays, a caption's shortcut mark
// is dropped.

#include "widgets/accessibility.h"

#include <QAccessible>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QString nameOf(QWidget* w)
{
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

}  // namespace

TEST(AccessibleNames, ShortcutMarksAreDropped)
{
    const struct {
        const char* caption;
        const char* read;
    } cases[] = {{"&Reset", "Reset"}, {"S&olve", "Solve"}, {"Salt && pepper", "Salt & pepper"},
                 {"End&", "End"}, {"", ""}, {"&&&Go", "&Go"}};
    for (const auto& c : cases)
        EXPECT_EQ(widgets::withoutMnemonic(QString::fromUtf8(c.caption)), QString::fromUtf8(c.read))
            << c.caption;
}

TEST(AccessibleNames, AnIconIsNamedAfterItsTooltipAndFollowsIt)
{
    QWidget window;
    auto* icon = new QPushButton(&window);
    icon->setToolTip("Start game");
    widgets::describeControlsForAssistiveTechnology();  // names what exists already
    EXPECT_EQ(nameOf(icon), "Start game");
    icon->setToolTip("Spiel starten");  // a new language
    EXPECT_EQ(nameOf(icon), "Spiel starten");

    // A caption names a button itself; its tooltip stays a description.
    auto* captioned = new QPushButton("&OK", &window);
    captioned->setToolTip("Closes the window");
    EXPECT_EQ(nameOf(captioned), "OK");

    // A name given by other means is kept through tooltip changes.
    auto* named = new QPushButton(&window);
    named->setAccessibleName("Own name");
    named->setToolTip("Tip");
    EXPECT_EQ(nameOf(named), "Own name");

    // No tooltip, no name of the watcher's.
    icon->setToolTip(QString());
    EXPECT_EQ(nameOf(icon), "");
}
