// The room as a screen reader sees it: its controls named in the language of
// the game, the board a table of places that tells what lies where, and what a
// move or a solved game announces; the keyboard focus goes round the room and
// shows where it is.

#include "mainwindow/board_accessible.h"
#include "mainwindow/frmTavoro.h"
#include "services/language.h"
#include "services/seams.h"
#include "services/settings.h"
#include "support/room.h"
#include "support/window_env.h"
#include "widgets/controls.h"
#include "widgets/seams.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using mainwindow::lastAnnouncement;

namespace {

class RoomAccess : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::unique_ptr<frmTavoro> w;

    void SetUp() override
    {
        services::seams().languageFile = folder.filePath("~tmp.lng");
        Allgemein::settings().setSprache(1000);
        Allgemein::WriteLanguageFile();
        w = testsupport::openRoom();
        widgets::seams().showChampions = [](QWidget*, std::optional<game::Score>) {};
    }

    QAccessibleInterface* room() const { return QAccessible::queryAccessibleInterface(w.get()); }
    QAccessibleInterface* board() const { return room()->child(0); }
    QAccessibleTableInterface* table() const { return board()->tableInterface(); }
    QString cell(int row, int column) const
    {
        return table()->cellAt(row, column)->text(QAccessible::Name);
    }

    // The names of the room's children, in order.
    QStringList names() const
    {
        QStringList list;
        for (int i = 0; i < room()->childCount(); ++i)
            list << room()->child(i)->text(QAccessible::Name);
        return list;
    }

    // A running 3 x 3 game with the pieces as given (0 the empty place).
    void play(game::Mode mode, const std::vector<int>& pieces)
    {
        Allgemein::settings().setSize(3);
        Allgemein::settings().setMode(mode);
        w->NewGame();
        ASSERT_TRUE(testsupport::playOn(*w, 3, mode, pieces, 0));
    }
};

}  // namespace

TEST_F(RoomAccess, TheRoomNamesItsControlsInTheLanguageOfTheGame)
{
    w->lblZugzahl->setText("12");
    w->lblTime->setText("34");
    const struct {
        int16_t sprache;
        QStringList names;
    } cases[] = {
        {1000, {"Board", "Moves: 12", "Tavoro", "Seconds: 34", "Preview picture", "Start game",
                "Toggle preview picture", "Select a picture...", "Wallpaper...", "Slide", "Swap",
                "Options", "Show champions...", "Help", "End game", "Deutsch", "English", "Français"}},
        {0, {"Spielbrett", "Züge: 12", "Sekunden: 34", "Vorschaubild", "Spiel starten", "Spiel beenden",
             "Vorschaubild anzeigen/ausblenden", "Bild auswählen...", "Tapete...", "Schieben", "Tauschen",
             "Optionen", "Hilfe", "Svenska", "Italiano", "Español"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sprache);
        Allgemein::settings().setSprache(c.sprache);
        w->Sprache();
        const QStringList shown = names();
        for (const QString& name : c.names)
            EXPECT_TRUE(shown.contains(name)) << name.toStdString() << " not in "
                                              << shown.join(" | ").toStdString();
        // The menus popped up by the toolbar, and their entries.
        for (QMenu* menu : {w->mnuOptionen, w->mnuHilfe}) {
            menu->popup(QPoint(0, 0));
            ASSERT_TRUE(menu->isVisible());
            EXPECT_EQ(menu->accessibleName(), menu->title().remove('&'));
            QAccessibleInterface* m = QAccessible::queryAccessibleInterface(menu);
            EXPECT_EQ(m->text(QAccessible::Name), menu->title().remove('&'));
            ASSERT_GT(m->childCount(), 0);
            EXPECT_FALSE(m->child(0)->text(QAccessible::Name).isEmpty());
            menu->hide();
        }
        // Every child the room shows has a name; the furniture is left out.
        EXPECT_FALSE(shown.contains(QString()));
        EXPECT_EQ(room()->indexOfChild(board()), 0);
        EXPECT_EQ(board()->parent()->object(), w.get());
    }
}

TEST_F(RoomAccess, TheBoardIsATableThatTellsWhereEachPieceLies)
{
    play(game::Mode::Slide, {1, 2, 3, 4, 5, 6, 0, 7, 8});
    ASSERT_EQ(board()->role(), QAccessible::Table);
    EXPECT_EQ(board()->text(QAccessible::Name), "Board");
    EXPECT_EQ(table()->rowCount(), 3);
    EXPECT_EQ(table()->columnCount(), 3);
    EXPECT_EQ(board()->childCount(), 9);
    EXPECT_EQ(cell(0, 0), "Row 1, column 1: Piece 1, at home");
    EXPECT_EQ(cell(2, 0), "Row 3, column 1: Empty place");
    EXPECT_EQ(cell(2, 1), "Row 3, column 2: Piece 7");
    EXPECT_EQ(mainwindow::focusPlace(*w), 6);
    QAccessibleInterface* c = table()->cellAt(2, 1);
    EXPECT_EQ(c->role(), QAccessible::Cell);
    EXPECT_EQ(c->tableCellInterface()->rowIndex(), 2);
    EXPECT_EQ(c->tableCellInterface()->columnIndex(), 1);
    EXPECT_EQ(c->parent(), board());
    EXPECT_EQ(board()->indexOfChild(c), 7);

    // A move by the keyboard: the cells and the board's description follow.
    QTest::keyClick(w.get(), Qt::Key_Left);
    EXPECT_EQ(cell(2, 0), "Row 3, column 1: Piece 7, at home");
    EXPECT_EQ(cell(2, 1), "Row 3, column 2: Empty place");
    EXPECT_EQ(lastAnnouncement(*w), "Row 3, column 1: Piece 7, at home");
    EXPECT_EQ(mainwindow::focusPlace(*w), 7);

    // Pressing a cell is a click on its piece; the solving move is announced.
    QAccessible::queryAccessibleInterface(w->imgPuzz(8))->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(w->board.solved());
    EXPECT_EQ(lastAnnouncement(*w), "Solved!");
    EXPECT_EQ(cell(2, 1), "Row 3, column 2: Piece 8, at home");

    Allgemein::settings().setSprache(0);
    EXPECT_EQ(cell(0, 1), "Zeile 1, Spalte 2: Teil 2, an seinem Platz");
}

TEST_F(RoomAccess, InSwapModeTheSelectedPieceAndTheKeyboardCursorAreTold)
{
    play(game::Mode::Swap, {2, 1, 3, 4, 5, 6, 7, 9, 8});
    EXPECT_EQ(mainwindow::focusPlace(*w), 0);  // no cursor, nothing selected
    w->imgPuzz_MouseDown(1, 1, 0, 0, 0);
    EXPECT_EQ(cell(0, 1), "Row 1, column 2: Piece 1, selected");
    EXPECT_TRUE(table()->cellAt(0, 1)->tableCellInterface()->isSelected());
    ASSERT_EQ(table()->selectedCellCount(), 1);
    EXPECT_EQ(table()->selectedCells().front(), table()->cellAt(0, 1));
    EXPECT_TRUE(table()->cellAt(0, 1)->state().selected);
    EXPECT_EQ(mainwindow::focusPlace(*w), 1);

    QTest::keyClick(w.get(), Qt::Key_Down);  // the cursor shows on the selected piece
    QTest::keyClick(w.get(), Qt::Key_Down);
    EXPECT_EQ(mainwindow::focusPlace(*w), 4);
    w->imgPuzz_MouseDown(0, 1, 0, 0, 0);
    EXPECT_EQ(cell(0, 0), "Row 1, column 1: Piece 1, at home");
    EXPECT_EQ(cell(0, 1), "Row 1, column 2: Piece 2, at home");
    EXPECT_EQ(lastAnnouncement(*w), "Row 1, column 1: Piece 1, at home; Row 1, column 2: Piece 2, at home");
    EXPECT_EQ(table()->selectedCellCount(), 0);
}

TEST_F(RoomAccess, TabGoesRoundTheRoomAndTheBoardShowsItHasTheFocus)
{
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->setFocus(Qt::OtherFocusReason);
    // An outline of the room's style, drawn only for a focus the keyboard brought.
    const auto outlines = [&] {
        int shown = 0;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            auto* s = dynamic_cast<widgets::ShapeControl*>(c);
            shown += s && s->isVisible() && s->geometry().contains(w->imgPuzz(0)->geometry());
        }
        return shown;
    };
    EXPECT_EQ(outlines(), 0);

    std::vector<QWidget*> visited;
    for (int i = 0; i < 40 && (visited.empty() || QApplication::focusWidget() != w.get()); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    // Every shown toolbar button once, in order from the top, then back to the room.
    ASSERT_EQ(visited.back(), w.get());
    std::vector<QWidget*> expected;
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16})
        if (w->PicBut(i)->isVisible())
            expected.push_back(w->PicBut(i));
    expected.push_back(w.get());
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(outlines(), 1);

    QTest::keyClick(w.get(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), expected[expected.size() - 2]);
    EXPECT_EQ(outlines(), 0);
}
