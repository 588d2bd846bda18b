#pragma once
// The picture window: the player chooses the puzzle picture from the sixteen
// built-in pictures (paged with previous and next) or from a picture file of
// the "pics" folder, with a large preview of the choice. Own pictures come in
// through "Add pictures...", a drop or Ctrl+V; the square the board shows of
// a picture that is not square is chosen on the preview. OK (or a
// double-click on the preview) stores Picture, Album and File under
// "Pictures"; closing the window otherwise stores nothing but leaves the
// browsed Picture and Album in memory. Every procedure runs under the trap as
// "frmPicAuswahl".

#include "dialogs/dialog_controls.h"
#include "services/picture_later.h"

#include <QDialog>
#include <QImage>
#include <array>
#include <cstdint>

class QCheckBox;
class QFrame;
class QLabel;

namespace dialogs {
class SquareChooser;
}

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
    // Esc or the close box: the window closes and every choice browsed in it
    // is dropped, the settings as they were when it opened.
    void reject() override;

protected:
    // With the built-in pictures in front, Left/Right and Page Up/Down turn
    // the pages as the arrow buttons do.
    void keyPressEvent(QKeyEvent* e) override;

public:

    // Own pictures: the file dialog, the folder in the file manager, the
    // square chosen on the preview or the whole picture stretched, and
    // pictures dropped or pasted, which are played at once (as OK).
    void cmdAdd_Click();
    void cmdFolder_Click();
    void chkStretch_Click();
    void picSquare_Chosen(QRect square);
    void pastePicture();

    // The "pics" folder beside the player's other files.
    static QString picsFolder();
    // Whether a preview is still being read (on the worker).
    bool previewArriving() const { return previewLater_.busy(); }

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
    QPushButton* cmdAdd = nullptr;                 // "Add pictures..."
    QPushButton* cmdFolder = nullptr;              // opens the "pics" folder
    QCheckBox* chkStretch = nullptr;               // the whole picture, stretched
    dialogs::SquareChooser* picSquare = nullptr;   // the whole picture with its square

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

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

    // The controls of own pictures, made with the window.
    void createOwnPictureControls();
    // Their texts in the current language.
    void setOwnPictureTexts();
    // The preview of the file at `path`: its chosen square, or the whole
    // picture with the square framed when it is not square. The picture is
    // read on the worker; the preview before stays (its square not to be
    // chosen on) until it arrives, and a file that cannot be read is
    // reported then, the preview unchanged.
    void showFilePreview(const QString& path);
    void showReadPreview(const QString& path, const pictures::Decoded& read);
    // The preview on its way is dropped.
    void forgetPreviewUnderWay();

    // The controls of own pictures shown for a picture file or hidden.
    void showSquareControls(bool notSquare, bool stretched);
    // Lists the files added and selects the last one; with `play`, takes it
    // as OK does.
    void takeAdded(const QStringList& added, bool play);
    QString selectedPath() const;

    pictures::PictureLater previewLater_{this};
    QImage shownWhole_;  // the selected file's whole picture, scaled for showing
    QSize wholeSize_;    // its size upright, in its own pixels
    // The source and built-in picture when the window opened.
    int openedAlbum_ = 0;
    int openedPicture_ = 101;
};
