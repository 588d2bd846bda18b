#pragma once
// The ranking of the champions list: the sorted list the window keeps its
// entries in, the test whether a result enters the list, the player's name
// as it is stored, and what a row shows of an entry.
//
// An entry text is the seconds ("00000"), the moves ("00000") and the name:
// "0004200137Anna". Because both numbers have a fixed width and lead the
// text, text order ranks fewer seconds first, then fewer moves, then the name.

#include <QCollator>
#include <QString>
#include <QStringList>

namespace champions {

// The entry of an empty slot: sorts after every real entry and shows empty.
inline const QString kEmptySlot = QStringLiteral("9999999999 ");

// The longest name kept, in characters.
constexpr int kNameLength = 20;

// The window's sorted list `lstSort`: its items stay in ascending order as a
// sorted list box keeps them, compared in the user's locale without regard
// to case. An added item goes after the items that compare equal to it, so a
// tie never pushes an earlier entry out.
class SortedList {
public:
    SortedList();
    void Clear() { items_.clear(); }
    void AddItem(const QString& item);
    int ListCount() const { return static_cast<int>(items_.size()); }
    // The item at the 0-based index; Subscript out of range (9) elsewhere.
    const QString& List(int index) const;
    const QStringList& items() const { return items_; }

private:
    QCollator collator_;
    QStringList items_;
};

// Whether a result ("00000" seconds, "00000" moves) enters a list whose
// tenth entry is `last`: it must sort below it by plain character codes and
// not be all zeros. A result that does not fit its ten digits (100000
// seconds or moves and more) never enters.
bool qualifies(const QString& score, const QString& last);

// Whether a result equals the tenth entry `last` in seconds and moves. Such a
// result could only enter by a name that sorts before the tenth's, which the
// player cannot foresee; the earlier champion keeps the place and the player
// is not asked for a name.
bool tiesLast(const QString& score, const QString& last);

// The rank (1 ... 11) an entry takes when it is added to the list.
int rankOf(const SortedList& list, const QString& entry);

// The name to store from the name box's answer: blanks cut at both ends, at
// most kNameLength characters, and only characters the Windows-1252 code
// page holds (others become "?"), so the name shown is the name stored.
QString nameFromAnswer(const QString& answer);

// The characters of the answer the code page lacks, each once, in the order
// they first appear: the ones nameFromAnswer turns into "?". Empty when the
// whole name can be kept.
QString lostCharacters(const QString& answer);

// What row i of the window shows of an entry: empty texts for empty slots
// and for texts whose first five characters do not read as a number other
// than 0 and 99999.
struct Row {
    QString name;
    QString moves;
    QString seconds;
};
Row rowOf(const QString& entry);

// Whether a stored text is a champion's entry: ten digits, seconds and moves,
// that a row shows. Anything else read from the file (a value edited by hand
// or damaged) is an empty slot, so that it neither shows as a blank row above
// the champions nor ranks before a new result.
bool isEntry(const QString& text);

}  // namespace champions
