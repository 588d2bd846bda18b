#pragma once
// The picture window: the player chooses the puzzle picture from the sixteen
// built-in pictures or from a picture file of the "pics" folder, each side a
// grid of thumbnails, with a large preview of the choice. The window is the
// open album, scaled with the screen (its design size is 500 x 330 pixels).
// Arrow keys, Page Up/Down and Home/End move the choice in the grid, Enter
// takes it, Esc closes. Own pictures come in through "Add pictures...", a
// drop or Ctrl+V, are renamed (F2) and removed (Delete) from the window; the
// square the board shows of a picture that is not square is chosen on the
// preview. OK (or a double-click on the preview or a thumbnail) stores
// Picture, Album and File under "Pictures"; closing the window otherwise
// stores nothing. Every procedure runs under the trap as "frmPicAuswahl".

#include "dialogs/dialog_controls.h"
#include "services/picture_later.h"

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QSet>
#include <array>
#include <cstdint>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;

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

    // A thumbnail chosen in the grid of built-in pictures.
    void lstBilder_Click();
    // The chosen own picture renamed (the name box) or removed (asked first;
    // into the desktop's trash where there is one).
    void cmdRename_Click();
    void cmdRemove_Click();

protected:
    // The keys that move the choice go to the grid in front wherever the
    // focus is; F2 renames and Delete removes an own picture.
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

public:

    // Own pictures: the file dialog, the folder in the file manager, the
    // square chosen on the preview or the whole picture stretched, and
    // pictures dropped or pasted, which are played at once (as OK).
    void cmdAdd_Click();
    void cmdFolder_Click();
    void chkStretch_Click();
    void picSquare_Chosen(QRect square);
    void pastePicture();

    // The message of built-in picture 101's name; the others follow in the
    // order of their numbers.
    static constexpr int kFirstPictureName = 370;

    // The "pics" folder beside the player's other files.
    static QString picsFolder();
    // Whether a preview is still being read (on the worker).
    bool previewArriving() const { return previewLater_.busy(); }
    // How much larger than its design the window is drawn on this screen
    // (1 on an 800 x 600 screen and smaller ones).
    qreal scale() const { return scale_; }
    // What the own pictures' grid shows of the entry: its thumbnail has
    // arrived, or the file cannot be read.
    bool thumbnailArrived(int index) const;
    bool thumbnailBroken(int index) const;

    QLabel* Label1 = nullptr;                      // heading
    std::array<dialogs::ClickImage*, 2> imgTab{};  // 0 built-in pictures in front, 1 the file
    std::array<QFrame*, 2> fraAuswahl{};           // 0 holds cmdPrev/cmdNext, 1 holds File1
    widgets::ButtonControl* cmdPrev = nullptr;
    widgets::ButtonControl* cmdNext = nullptr;
    dialogs::FileListBox* File1 = nullptr;
    QListWidget* lstBilder = nullptr;              // the sixteen built-in pictures' thumbnails
    QLabel* lblSeite = nullptr;                    // the chosen built-in picture's name
    QLabel* lblHinweis = nullptr;                  // where to put pictures, while the list is empty
    dialogs::ClickImage* imgBild = nullptr;        // preview, 3000 x 3000 twips, stretched
    widgets::ImageControl* imgAlbum = nullptr;  // the window's background artwork
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdAdd = nullptr;                 // "Add pictures..."
    QPushButton* cmdFolder = nullptr;              // opens the "pics" folder
    widgets::ButtonControl* cmdRename = nullptr;   // renames the chosen own picture
    widgets::ButtonControl* cmdRemove = nullptr;   // removes it
    QCheckBox* chkStretch = nullptr;               // the whole picture, stretched
    dialogs::SquareChooser* picSquare = nullptr;   // the whole picture with its square

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // A place in twips of the design, scaled to the window's size.
    QRect scaled(int left, int top, int width, int height) const;
    template <class Control>
    void placeScaled(Control* c, int left, int top, int width, int height) const
    {
        const float k = float(scale_) / 15.0f;
        c->place(left * k, top * k, width * k, height * k);
    }
    // The thumbnail grids (frmPicAuswahl_grid.cpp): made with the window,
    // the built-in pictures drawn at once, the own ones as they arrive.
    void createGrids();
    void fillBuiltInGrid();
    // The own pictures' entries given their thumbnails, names and tooltips,
    // and the missing thumbnails asked for.
    void decorateFiles();
    void thumbnailArrivedFor(const QString& path, const pictures::Decoded& read);
    // The thumbnail of the file made again (its square changed).
    void forgetThumbnail(const QString& name);
    QString thumbnailKey(const QString& name) const;
    // The grid in front.
    QListWidget* gridInFront() const;
    // A key that moves the choice sent on to the grid in front; false for
    // other keys.
    bool moveChoice(QKeyEvent* e);
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
    pictures::Thumbnails thumbnails_{this};
    struct Thumbnail {
        QIcon icon;
        bool broken = false;
    };
    QHash<QString, Thumbnail> thumbs_;  // by thumbnailKey, while the window lives
    QSet<QString> thumbsAsked_;
    QIcon arriving_;                    // an own picture's place until it arrives
    int thumbSide_ = 48;                // in pixels of the screen
    qreal scale_ = 1;
    bool showingBuiltIn_ = false;
    bool forwardingKey_ = false;        // a key sent on to the grid
    QAction* renameAction_ = nullptr;  // File1's menu
    QAction* removeAction_ = nullptr;       // lstBilder follows Picture without a click
    QImage shownWhole_;  // the selected file's whole picture, scaled for showing
    QSize wholeSize_;    // its size upright, in its own pixels
    // The source and built-in picture when the window opened.
    int openedAlbum_ = 0;
    int openedPicture_ = 101;
};
