#pragma once
// The picture window: the player chooses the puzzle picture from the sixteen
// built-in pictures (paged with previous and next) or from a BMP or JPEG file
// of the "pics" folder, with a large preview of the choice. OK (or a
// double-click on the preview) stores Picture, Album and File under
// "Pictures"; closing the window otherwise stores nothing but leaves the
// browsed Picture and Album in memory. Every procedure runs under the trap as
// "frmPicAuswahl".

#include "dialogs/dialog_controls.h"

#include <QDialog>
#include <array>
#include <cstdint>

class QFrame;
class QLabel;

class frmPicAuswahl : public QDialog {
    Q_OBJECT

public:
    explicit frmPicAuswahl(QWidget* parent = nullptr);

    void Form_Load();
    void imgTab_Click(int16_t Index);
    void cmdNext_Click();
    void cmdPrev_Click();
    void File1_Click();
    void imgBild_DblClick();
    void cmdOK_Click();

    // The "pics" folder beside the player's other files.
    static QString picsFolder();

    QLabel* Label1 = nullptr;                      // heading
    std::array<dialogs::ClickImage*, 2> imgTab{};  // 0 built-in pictures in front, 1 the file
    std::array<QFrame*, 2> fraAuswahl{};           // 0 holds cmdPrev/cmdNext, 1 holds File1
    widgets::ButtonControl* cmdPrev = nullptr;
    widgets::ButtonControl* cmdNext = nullptr;
    dialogs::FileListBox* File1 = nullptr;
    QLabel* lblSeite = nullptr;                    // which of the sixteen pictures, "3 / 16"
    QLabel* lblHinweis = nullptr;                  // where to put pictures, while the list is empty
    dialogs::ClickImage* imgBild = nullptr;        // preview, 3000 x 3000 twips, stretched
    widgets::ImageControl* imgAlbum = nullptr;  // the window's background artwork
    QPushButton* cmdOK = nullptr;

private:
    // Pages the built-in pictures by step, reporting under the procedure's name.
    void turnPage(const char* procedure, int16_t step);
    // The preview takes the built-in picture Picture.
    void showBuiltIn();
    // Lists the folder afresh, keeping the chosen file.
    void refreshFiles();
    // The preview takes the file selected in File1 (nothing while none is).
    void showSelectedFile();
    void playPageSound();
};
