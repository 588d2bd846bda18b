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
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
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
    void TearDown() override { frmInfo::StartScreenShown = startScreenShown; }
    const bool startScreenShown = frmInfo::StartScreenShown;

    // Tab goes round the window's controls, each shown, and comes back to
    // where it began; Esc closes the window where it should.
    static void goRoundWithTab(QWidget* window, bool escCloses)
    {
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QWidget* first = QApplication::focusWidget();
        ASSERT_NE(first, nullptr);
        int steps = 0;
        do {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            ASSERT_NE(now, nullptr);
            EXPECT_TRUE(now->isVisible()) << now->metaObject()->className();
            EXPECT_EQ(now->window(), window);
        } while (QApplication::focusWidget() != first && ++steps < 60);
        EXPECT_LT(steps, 60) << "Tab never comes back to " << first->metaObject()->className();
        if (escCloses) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            EXPECT_FALSE(window->isVisible());
        }
    }

    // The names the window shows in the language, after checking that every
    // control that wants one has it.
    QStringList namesIn(int16_t sprache, const std::function<QWidget*()>& open, bool escCloses)
    {
        Allgemein::settings().setSprache(sprache);
        QWidget* window = open();
        window->show();
        QStringList names, unnamed;
        walk(QAccessible::queryAccessibleInterface(window), names, unnamed);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
        goRoundWithTab(window, escCloses);
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
        bool escCloses;           // the champions window closes by its buttons only
    } cases[] = {
        {"champions", [] { auto* w = new frmHighscore; w->Form_Load(); return w; }, "Time (s)", "Zeit (s)",
         false},
        {"wallpaper", [] { auto* w = new frmTapete; w->Form_Load(); return w; }, "OK", "OK", true},
        {"picture", [] { auto* w = new frmPicAuswahl; w->Form_Load(); return w; },
         "Select a picture!", "Wähle ein Bild aus!", true},
        {"about",
         [] {
             frmInfo::StartScreenShown = true;  // the about box, not the start screen
             auto* w = new frmInfo;
             w->Form_Load();
             return w;
         },
         "Français", "Français", true},
        {"help",
         [this] {
             auto* help = new help::HelpWindow(&owner);
             help->openAt(Allgemein::settings().Sprache(), QStringLiteral("index.html"));
             return help;
         },
         "Contents", "Inhalt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        const QStringList english = namesIn(1000, c.open, c.escCloses);
        const QStringList german = namesIn(0, c.open, c.escCloses);
        EXPECT_TRUE(english.contains(c.english)) << english.join(" | ").toStdString();
        EXPECT_TRUE(german.contains(c.german)) << german.join(" | ").toStdString();
    }
}
