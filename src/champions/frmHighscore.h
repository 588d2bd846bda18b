#pragma once
// The champions window: the ten best games of the current board size and
// mode. After a solved game (opened with its result) it checks the result
// while it loads, asks for the player's name, ranks the entry and stores the list;
// opened from the toolbar it only shows the list. Its "Reset" button clears
// the list of the current size and mode.
//
// The list lives in Tavoro.hsc, one section a size and mode ("m30" ... "m81"),
// keys "1" ... "10", each value the entry text scrambled with the
// application title and written as hexadecimal (see hscodec.h).
//
// Every procedure runs under the trap as "frmHighscore" and its own name.
// The window measures in twips; its controls keep their designed places.

#include "champions/ranking.h"
#include "game/session.h"

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;

class frmHighscore : public QDialog {
    Q_OBJECT

public:
    // `result`: the score of the game just solved, seconds and moves with five
    // digits each, to be checked as the window loads; nothing to only show
    // the list.
    explicit frmHighscore(QWidget* owner = nullptr, std::optional<QString> result = std::nullopt);

    // The result being checked, if any.
    std::optional<QString> HSScore;

    // Event procedures.
    void Form_Load();
    void Form_Activate();
    void cmdOK_Click();
    void cmdDelHS_Click();

    // The ranking and the rows.
    void CheckHS();
    void ShowHS();

    // The champions file.
    void GetHS();
    QString GetHSVal(const QString& key, const QString& defaultValue);
    // Writes the value under the key of the current section; no key removes
    // the whole section. True when the file took it.
    bool SaveHS(const std::optional<QString>& key, const QString& value);
    // Stores the first ten entries of the list, all ten in one replacement of
    // the file; true when the file took them. Under the folder's lock the
    // list is read again first and the entries added since GetHS are ranked
    // among it, so that what another copy of the game stored meanwhile stays.
    // The list then holds what was stored.
    bool WriteHS();
    // An entry scrambled and in its stored form, and back: the same codec
    // (hscodec) the tests and the fuzzer drive. Crypt is the scrambling alone.
    QString Conv(const QString& text);
    QString ConvBack(const QString& value);
    void Crypt(QByteArray& text);

    // Tavoro.hsc's path, beside the settings file; built afresh each time.
    static QString HscPath();

    // Controls.
    QLabel* lblTitle = nullptr;
    QLabel* lblMode = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* fraHighscore = nullptr;
    std::array<QLabel*, 3> lblHeader{};
    QFrame* Line1 = nullptr;
    std::array<QLabel*, 11> Label1{};      // 1 ... 10: the rank numbers
    std::array<QLabel*, 11> lblHName{};    // 1 ... 10: the names
    std::array<QLabel*, 21> lblHScore{};   // 1 ... 10 moves, 11 ... 20 seconds
    QPushButton* cmdDelHS = nullptr;
    QPushButton* cmdOK = nullptr;
    champions::SortedList lstSort;

    // The window's state.
    QString Section;
    QString Name;
    QString NewEntry;
    // The rank (1 ... 10) of the entry just made, whose row is marked; 0
    // when none was made.
    int newRank = 0;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Tells the player that the champions file did not take a change.
    void warnNotSaved();
    // The name box's prompt: the request for the name and the result with
    // the rank it takes under the name offered.
    QString namePrompt(const QString& preset) const;
    // Row i in the look of the entry just made, or of the others.
    void markRow(int i, bool isNew);
    void describeRows();  // each row's name for assistive technology
    // The list as GetHS last read it from the file, to tell what this window
    // added since (nothing read yet: the list is written as it stands).
    std::optional<QStringList> readEntries_;
};

namespace champions {

// Opens the champions window modally over `owner` and returns when it has
// closed. With the score of a solved game that may enter the list, it checks
// the result first.
void showHighscore(QWidget* owner, std::optional<game::Score> result);

}  // namespace champions
