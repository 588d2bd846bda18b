#include "mainwindow/board_accessible.h"

#include "mainwindow/frmTavoro.h"
#include "services/seams.h"
#include "widgets/accessibility.h"
#include "widgets/controls.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFocusEvent>
#include <QTimer>

#include <vector>

using widgets::PuzzlePiece;

namespace mainwindow {

namespace {

// Messages of the language table.
constexpr int kBoard = 260;
constexpr int kRowColumn = 261;
constexpr int kPiece = 262;
constexpr int kAtHome = 263;
constexpr int kEmptyPlace = 264;
constexpr int kSelected = 265;
constexpr int kSolved = 266;
constexpr int kSeconds = 267;
constexpr int kPreview = 268;
constexpr int kMoves = 106;

// The board as an object of the room: what assistive technology's table
// stands for, what it said last, and the outline shown while the room holds a
// focus brought by the keyboard.
class BoardObject : public QObject {
public:
    explicit BoardObject(frmTavoro& room) : QObject(&room), room_(room)
    {
        setObjectName(QStringLiteral("board"));
        outline_ = new widgets::ShapeControl(&room, QColor(255, 255, 255), 3);
        outline_->hide();
        room.installEventFilter(this);
    }

    frmTavoro& room() const { return room_; }
    QString announcement;
    int selected = -1;  // the place selected last, -1 for none

    // The outline around the board's places, shown or hidden.
    void showOutline(bool on)
    {
        if (!on) {
            outline_->hide();
            return;
        }
        QRect area;
        for (int k = 0; k < room_.board.places(); ++k)
            area = area.united(room_.imgPuzz(k)->geometry());
        outline_->setGeometry(area.adjusted(-4, -4, 4, 4));
        outline_->raise();
        outline_->show();
    }
    void refreshOutline()
    {
        if (outline_->isVisible())
            showOutline(true);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched != &room_)
            return false;
        switch (e->type()) {
        case QEvent::FocusIn: {
            const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
            if (why == Qt::TabFocusReason || why == Qt::BacktabFocusReason)
                showOutline(true);
            boardFocusMoved(room_);
            break;
        }
        case QEvent::FocusOut: showOutline(false); break;
        case QEvent::Resize:
            // After the room has laid itself out for the new size.
            QTimer::singleShot(0, this, [this] { refreshOutline(); });
            break;
        default: break;
        }
        return false;
    }

private:
    frmTavoro& room_;
    widgets::ShapeControl* outline_ = nullptr;
};

BoardObject* boardObjectOf(const frmTavoro& room)
{
    for (QObject* o : room.children())
        if (auto* b = dynamic_cast<BoardObject*>(o))
            return b;
    return nullptr;
}

// The room of a piece, when the piece lies on a room's board.
frmTavoro* roomOf(const QObject* piece)
{
    return piece ? dynamic_cast<frmTavoro*>(piece->parent()) : nullptr;
}

QAccessibleInterface* interfaceOf(QObject* o)
{
    return o ? QAccessible::queryAccessibleInterface(o) : nullptr;
}

// A place of the board.
class CellInterface : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    CellInterface(PuzzlePiece* piece, frmTavoro& room)
        : QAccessibleWidget(piece, QAccessible::Cell), room_(room)
    {
    }

    int place() const { return static_cast<const PuzzlePiece*>(widget())->Index(); }
    int n() const { return room_.board.size(); }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessibleInterface* parent() const override { return interfaceOf(boardObjectOf(room_)); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return placeText(room_, place());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = room_.board.mode() == game::Mode::Swap;
        s.selected = room_.board.selected() == place();
        s.focusable = true;
        s.focused = room_.hasFocus() && focusPlace(room_) == place();
        return s;
    }
    QStringList actionNames() const override { return {QAccessibleActionInterface::pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == QAccessibleActionInterface::pressAction())
            room_.imgPuzz_MouseDown(static_cast<int16_t>(place()), 1, 0, 0, 0);
    }

    // The cell's place in the table.
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return place() % n(); }
    int rowIndex() const override { return place() / n(); }
    bool isSelected() const override { return room_.board.selected() == place(); }
    QAccessibleInterface* table() const override { return parent(); }

private:
    frmTavoro& room_;
};

// The board: a table of its places.
class BoardInterface : public QAccessibleObject, public QAccessibleTableInterface {
public:
    explicit BoardInterface(BoardObject* board) : QAccessibleObject(board), board_(board) {}

    frmTavoro& room() const { return board_->room(); }
    int n() const { return room().board.size(); }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return nullptr;
    }
    QAccessibleInterface* parent() const override { return interfaceOf(&room()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= room().board.places())
            return nullptr;
        return interfaceOf(room().imgPuzz(index));
    }
    int childCount() const override { return room().board.places(); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int k = 0; k < childCount(); ++k)
            if (child && child->object() == room().imgPuzz(k))
                return k;
        return -1;
    }
    QAccessibleInterface* focusChild() const override
    {
        return room().hasFocus() ? child(focusPlace(room())) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int k = 0; k < childCount(); ++k)
            if (QAccessibleInterface* c = child(k); c && c->rect().contains(x, y))
                return c;
        return nullptr;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return services::textOf(kBoard);
        if (t == QAccessible::Description)
            return board_->announcement;
        return {};
    }
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.focused = room().hasFocus();
        s.invisible = !room().isVisible() || room().imgPuzz(0)->isHidden();
        return s;
    }
    QRect rect() const override
    {
        QRect area;
        for (int k = 0; k < childCount(); ++k)
            if (QAccessibleInterface* c = child(k))
                area = area.united(c->rect());
        return area;
    }

    // The table.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        return row >= 0 && row < n() && column >= 0 && column < n() ? child(row * n() + column) : nullptr;
    }
    int columnCount() const override { return n(); }
    int rowCount() const override { return n(); }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedCellCount() const override { return room().board.selected() >= 0 ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        if (room().board.selected() < 0)
            return {};
        return {child(room().board.selected())};
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    BoardObject* board_;
};

// The room: the board first, then its controls with names.
class RoomInterface : public QAccessibleWidget {
public:
    explicit RoomInterface(frmTavoro* room) : QAccessibleWidget(room, QAccessible::Window) {}

    frmTavoro& room() const { return *static_cast<frmTavoro*>(widget()); }

    std::vector<QAccessibleInterface*> shown() const
    {
        std::vector<QAccessibleInterface*> list;
        if (BoardObject* b = boardObjectOf(room()))
            list.push_back(interfaceOf(b));
        for (QObject* o : room().children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isWindow() || dynamic_cast<PuzzlePiece*>(w) || w == room().lblZuege)
                continue;
            QAccessibleInterface* iface = interfaceOf(w);
            if (iface && (!iface->text(QAccessible::Name).isEmpty() || iface->state().focusable))
                list.push_back(iface);
        }
        return list;
    }
    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const auto list = shown();
        return index >= 0 && index < int(list.size()) ? list[size_t(index)] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto list = shown();
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i] == child)
                return int(i);
        return -1;
    }
    QAccessibleInterface* focusChild() const override
    {
        if (room().hasFocus())
            if (BoardObject* b = boardObjectOf(room()))
                return interfaceOf(b)->focusChild();
        return QAccessibleWidget::focusChild();
    }
};

QAccessibleInterface* roomFactory(const QString&, QObject* object)
{
    if (auto* room = dynamic_cast<frmTavoro*>(object))
        return new RoomInterface(room);
    if (auto* board = dynamic_cast<BoardObject*>(object))
        return new BoardInterface(board);
    if (auto* piece = dynamic_cast<PuzzlePiece*>(object))
        if (frmTavoro* room = roomOf(piece))
            return new CellInterface(piece, *room);
    return nullptr;
}

void tell(QAccessibleEvent&& e)
{
    QAccessible::updateAccessibility(&e);
}

void cellChanged(frmTavoro& room, int place)
{
    if (place >= 0 && place < room.board.places())
        tell(QAccessibleEvent(room.imgPuzz(place), QAccessible::NameChanged));
}

void announce(BoardObject& board, const QString& text, QAccessible::Event kind)
{
    board.announcement = text;
    tell(QAccessibleEvent(&board, QAccessible::DescriptionChanged));
    if (kind != QAccessible::DescriptionChanged)
        tell(QAccessibleEvent(&board, kind));
}

void boardChanged(BoardObject& b, const game::Change& change)
{
    frmTavoro& room = b.room();
    switch (change.kind) {
    case game::Change::Exchanged:
        cellChanged(room, change.a);
        cellChanged(room, change.b);
        // In slide mode a is the empty place now: what moved stands on b.
        announce(b,
                 room.board.mode() == game::Mode::Slide
                     ? placeText(room, change.b)
                     : placeText(room, change.a) + QStringLiteral("; ") + placeText(room, change.b),
                 QAccessible::DescriptionChanged);
        boardFocusMoved(room);
        break;
    case game::Change::Selected: {
        // The piece let go and the piece selected.
        QAccessible::State selected;
        selected.selected = true;
        for (int place : {b.selected, change.a}) {
            if (place < 0 || place >= room.board.places())
                continue;
            QAccessibleStateChangeEvent e(room.imgPuzz(place), selected);
            QAccessible::updateAccessibility(&e);
            cellChanged(room, place);
        }
        b.selected = change.a;
        break;
    }
    case game::Change::Solved:
        announce(b, services::textOf(kSolved), QAccessible::Alert);
        for (int k = 0; k < room.board.places(); ++k)
            cellChanged(room, k);
        break;
    case game::Change::Shuffled:
    case game::Change::Arranged:
        b.announcement.clear();
        for (int k = 0; k < room.board.places(); ++k)
            cellChanged(room, k);
        b.refreshOutline();
        break;
    }
}

}  // namespace

void makeRoomAccessible(frmTavoro& room)
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(roomFactory);
    }
    widgets::describeControlsForAssistiveTechnology();
    widgets::renewAccessibleInterface(&room);
    for (int k = 0; k < game::MaxPlaces; ++k)
        widgets::renewAccessibleInterface(room.imgPuzz(k));
    widgets::nameByMessage(room.lblZugzahl, kMoves);
    widgets::nameByMessage(room.lblTime, kSeconds);
    widgets::nameByMessage(room.imgPreview, kPreview);
    auto* board = new BoardObject(room);
    room.session.listenBoard([board](const game::Change& change) { boardChanged(*board, change); });
}

void boardFocusMoved(frmTavoro& room)
{
    if (!room.hasFocus())
        return;
    const int place = focusPlace(room);
    if (place >= 0 && place < room.board.places())
        tell(QAccessibleEvent(room.imgPuzz(place), QAccessible::Focus));
}

QString placeText(const frmTavoro& room, int place)
{
    const int n = room.board.size();
    const QString where = services::textOf(kRowColumn).arg(place / n + 1).arg(place % n + 1);
    const int16_t piece = room.imgPuzz(place)->Tag();
    if (piece == game::EmptyTag)
        return QStringLiteral("%1: %2").arg(where, services::textOf(kEmptyPlace));
    QString text = QStringLiteral("%1: %2").arg(where, services::textOf(kPiece).arg(piece));
    if (piece == place + 1)
        text += QStringLiteral(", ") + services::textOf(kAtHome);
    if (room.board.selected() == place)
        text += QStringLiteral(", ") + services::textOf(kSelected);
    return text;
}

int focusPlace(const frmTavoro& room)
{
    if (room.board.mode() == game::Mode::Slide)
        return room.board.emptyPlace();
    if (room.keyCursor() >= 0)
        return room.keyCursor();
    return room.board.selected() >= 0 ? room.board.selected() : 0;
}

QString lastAnnouncement(const frmTavoro& room)
{
    const BoardObject* b = boardObjectOf(room);
    return b ? b->announcement : QString();
}

}  // namespace mainwindow
