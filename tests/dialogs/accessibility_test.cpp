// Every window as a screen reader sees it: each control that can be reached
// or shows something of its own has a name, in English and in German.

#include "champions/frmHighscore.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmPicAuswahl.h"
#include "dialogs/frmTapete.h"
#include "dialogs/help_window.h"
#include "services/language.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/window_env.h"
#include "widgets/accessibility.h"

#include <QAccessible>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The roles of what a player reads or handles.
bool wantsAName(const QAccessibleInterface* iface)
{
    const QAccessible::State s = iface->state();
    if (s.invisible)
        return false;
    switch (iface->role()) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::PageTab:
    case QAccessible::Slider:
    case QAccessible::Link:
        return true;
    default: return s.focusable && iface->role() != QAccessible::ListItem;
    }
}

// The named controls of a window, and those that want a name but lack it.
void walk(QAccessibleInterface* iface, QStringList& names, QStringList& unnamed, int depth = 0)
{
    if (!iface || depth > 12)
        return;
    const QString name = iface->text(QAccessible::Name);
    if (!name.isEmpty())
        names << name;
    else if (wantsAName(iface))
        unnamed << QStringLiteral("%1 (role %2)")
                       .arg(iface->object() ? QString::fromLatin1(iface->object()->metaObject()->className())
                                            : QStringLiteral("?"))
                       .arg(int(iface->role()));
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), names, unnamed, depth + 1);
}

class WindowAccess : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    QWidget owner;  // the help window's

    void SetUp() override
    {
        services::seams().languageFile = folder.filePath("~tmp.lng");
        Allgemein::WriteLanguageFile();
        widgets::describeControlsForAssistiveTechnology();
    }

    // The names the window shows in the language, after checking that every
    // control that wants one has it.
    QStringList namesIn(int16_t sprache, const std::function<QWidget*()>& open)
    {
        Allgemein::settings().setSprache(sprache);
        QWidget* window = open();
        window->show();
        QStringList names, unnamed;
        walk(QAccessible::queryAccessibleInterface(window), names, unnamed);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
        delete window;
        return names;
    }
};

}  // namespace

TEST_F(WindowAccess, EveryWindowNamesItsControlsInEnglishAndGerman)
{
    const struct {
        const char* window;
        std::function<QWidget*()> open;
        QString english, german;  // a name in each language
    } cases[] = {
        {"champions", [] { auto* w = new frmHighscore; w->Form_Load(); return w; }, "Time (s)", "Zeit (s)"},
        {"wallpaper", [] { auto* w = new frmTapete; w->Form_Load(); return w; }, "OK", "OK"},
        {"picture", [] { auto* w = new frmPicAuswahl; w->Form_Load(); return w; },
         "Select a picture!", "Wähle ein Bild aus!"},
        {"about", [] { auto* w = new frmInfo; w->Form_Load(); return w; }, "Français", "Français"},
        {"help",
         [this] {
             auto* help = new help::HelpWindow(&owner);
             help->openAt(Allgemein::settings().Sprache(), QStringLiteral("index.html"));
             return help;
         },
         "Contents", "Inhalt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        const QStringList english = namesIn(1000, c.open);
        const QStringList german = namesIn(0, c.open);
        EXPECT_TRUE(english.contains(c.english)) << english.join(" | ").toStdString();
        EXPECT_TRUE(german.contains(c.german)) << german.join(" | ").toStdString();
    }
}
