#pragma once
// The main window: the board of picture pieces, the move counter, the game
// clock and the toolbar buttons, with the procedures that run a game.
//
// The game in progress lives in `session` (game::Session: the board, the
// clock, undo, help and the keys' rules); this window is its view and its
// input: presses and keys go to the session, and imgPuzz(k) shows the picture
// cell of the piece that the board holds at place k, drawn again when the
// session tells of a change. While another window of the game stands over
// the room (a modal one, or the help while the player is in it), the session
// is held: its clock and Solve stand.
// Every procedure runs under the trap as "frmTavoro" and its own name. The
// services are reached through services::seams(), the other windows through
// widgets::seams().
//
// The window's controls are created in the order in which they lie on top of
// each other: the frame at the bottom, the furniture, the calendar with its
// labels, the clock standing in front of the calendar, the pieces, the
// preview, and the toolbar on top. The wallpaper is the window's own
// background image.

#include "mainwindow/board_geometry.h"
#include "errors/trap.h"
#include "game/board.h"
#include "game/session.h"
#include "game/solver.h"
#include "services/picture_clip.h"
#include "services/picture_later.h"
#include "widgets/controls.h"
#include "mainwindow/frame.h"
#include "mainwindow/piece_motion.h"

#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <atomic>
#include <memory>
#include <vector>
#include <cstdint>

class QAction;
class QLabel;
namespace mainwindow { class Cloth; }
class QMenu;
class QPainter;
class QTimer;

class frmTavoro : public QWidget {
    Q_OBJECT

public:
    // Creates the window with its designed controls, all 64 pieces among them.
    explicit frmTavoro(QWidget* parent = nullptr);
    ~frmTavoro() override;

    // Calls `then` once the room has been painted for the first time (at
    // once, from the event loop, when it has been already).
    void afterFirstPaint(std::function<void()> then);

    // Event procedures.
    void Form_Load();
    void Form_Resize();
    void Form_Activate();
    void Form_Unload();
    void imgPuzz_MouseDown(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);
    void PicBut_Click(int16_t Index);
    void Timer1_Timer();
    void Timer2_Timer();

    // Menu commands of the options and help menus.
    void mnuSize_Click(int16_t Index);
    void mnuPlaySounds_Click();
    void mnuAnimate_Click();
    void mnuMusic_Click(int16_t Index);
    void mnuOnlinehilfe_Click();
    void mnuHomepage_Click();
    void mnuEMail_Click();
    void mnuUeber_Click();

    // A running game never lost. keepGame: the game as it stands goes to
    // disk (on the worker) after each move; keepGameNow waits until it is
    // there (closing, quitting). forgetGame: the kept game removed (solved,
    // ended, reset). continueKeptGame: at start, the kept game continues,
    // paused; a damaged file is set aside with a word to the player.
    void keepGame();
    void keepGameNow();
    void forgetGame();
    void continueKeptGame();
    // Pause: the clock stands, a cloth covers the board and the preview is
    // hidden; any key, a click on the cloth or the menu entry goes on.
    void pauseGame();
    void resumeGame();
    bool paused() const { return session.paused(); }
    void mnuPause_Click();
    // Undo (Ctrl+Z) puts back the last press, redo (Ctrl+Y, Ctrl+Shift+Z)
    // makes it again; each counts its moves.
    void mnuUndo_Click();
    void mnuRedo_Click();
    // Whether a running game may be thrown away: none with moves runs, or
    // the player answers Yes to "Abandon the running game?" (No the default).
    // The size, mode and picture commands ask it, and so does the end (End,
    // Esc).
    bool mayAbandonGame();
    bool gameWithMovesRuns() const;
    // Seconds played in the running game, pauses left out.
    int playedSeconds() const { return session.seconds(); }

    // Help when stuck: a hint (H) shows the next move of a solution until the
    // next move; Solve plays the rest, stopped by any press or key. A game
    // that had either does not enter the champions list.
    void mnuHint_Click();
    void mnuSolve_Click();
    bool solving() const { return session.solving(); }
    bool hintShown() const;
    bool helped() const { return session.helped(); }
    // The line on the board that says a game with help does not enter the
    // champions list: shown a few seconds at the game's first help, and
    // again at the end of such a game.
    bool helpNoteShown() const;
    QString helpNoteText() const;

    // Keyboard play: a key (Qt::Key) for the session while a game runs.
    // False when the key is not one the session takes, so that it goes on
    // to the window.
    bool boardKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // The place under swap mode's keyboard cursor, -1 while it is hidden.
    int keyCursor() const { return session.cursor(); }

    // The window's own procedures.
    void ChangeButtons(int16_t a, int16_t b);
    void NewGame();
    void Shuffle();
    void Start();
    void Ende();
    void positionieren();
    // Tiles the wallpaper Background over an area as large as the screen.
    void PaintBG();
    // Sets every language-dependent caption and tooltip of the window from the
    // language table in the current language.
    void Sprache();

    // Controls. imgPuzz(k) for k = 0 to 63 and PicBut(i) for i = 0 to 14
    // and 16; asking for an element that does not exist fails with 340.
    widgets::PuzzlePiece* imgPuzz(int k) const;
    widgets::ButtonControl* PicBut(int i) const;
    bool hasPicBut(int i) const;
    // The menu entries mnuSize(0) to (5) and mnuMusic(0) to (2); asking for
    // an entry that does not exist fails with 340.
    QAction* mnuSize(int i) const;
    QAction* mnuMusic(int i) const;

    // The two menus, shown only as pop-ups of the toolbar's options and help
    // buttons, and their entries.
    QMenu* mnuOptionen = nullptr;
    QMenu* mnuTeile = nullptr;         // the board sizes
    QAction* mnuBar3 = nullptr;
    QAction* mnuPlaySounds = nullptr;
    QAction* mnuAnimate = nullptr;     // moves glide (a setting of our own)
    QAction* mnuPause = nullptr;       // P: the game paused
    QAction* mnuHint = nullptr;        // H: the next move shown
    QAction* mnuSolve = nullptr;       // the rest played
    QAction* mnuUndo = nullptr;        // Ctrl+Z
    QAction* mnuRedo = nullptr;        // Ctrl+Y, Ctrl+Shift+Z
    QMenu* mnuPlayMusic = nullptr;     // the music modes
    QMenu* mnuHilfe = nullptr;
    QAction* mnuOnlinehilfe = nullptr; // F1
    QAction* mnuBar6 = nullptr;
    QAction* mnuHomepage = nullptr;
    QAction* mnuEMail = nullptr;
    QAction* mnuBar10 = nullptr;
    QAction* mnuUeber = nullptr;       // Ctrl+F1

    mainwindow::FrameControl* imgRahmen = nullptr;    // the picture frame around the board, hidden
    widgets::ImageControl* imgHinterg = nullptr;   // holds the wallpaper tile, hidden
    widgets::ImageControl* imgSchrank = nullptr;   // cupboard, bottom right, hidden
    widgets::ImageControl* imgKaktus = nullptr;    // cactus on the cupboard, hidden
    widgets::ImageControl* imgTeddy = nullptr;     // teddy bear beside the cupboard, hidden
    widgets::ImageControl* imgKommode = nullptr;   // chest of drawers, bottom left, hidden
    widgets::ImageControl* imgKalender = nullptr;  // calendar carrying the move counter
    widgets::LabelControl* lblZuege = nullptr;     // caption of the move counter
    widgets::LabelControl* lblZugzahl = nullptr;   // the move count
    widgets::LabelControl* Label1 = nullptr;       // the program's name plate
    widgets::ImageControl* imgUhr = nullptr;       // clock on the chest, hidden
    widgets::LabelControl* lblTime = nullptr;      // elapsed seconds, hidden until laid out
    widgets::ImageControl* imgLeer = nullptr;      // the empty place's picture, hidden
    widgets::ShapeControl* shpRahmen = nullptr;    // swap mode's selection frame, hidden
    widgets::ShapeControl* shpCursor = nullptr;    // swap mode's keyboard cursor, hidden
    widgets::ImageControl* imgPreview = nullptr;   // the whole puzzle picture
    widgets::ShapeControl* shpPreview = nullptr;   // outline around the preview, hidden
    widgets::LabelControl* lblToolbar = nullptr;   // the toolbar strip behind the buttons
    QTimer* Timer1 = nullptr;                         // the session's next tick, single-shot, off
    QTimer* Timer2 = nullptr;                         // the music watch, 1000 ms, off
    errors::TimedService musicWatch;                  // off for the run after a failure told once
    pictures::PictureClip PicClip1;                       // the whole puzzle picture, cut into cells

    // The game in progress, on the clock of the platform (tests set it), and
    // its board.
    game::Session session;
    const game::Board& board;
    bool FirstResetDone = false;   // the first NewGame of a run does nothing
    mainwindow::BoardGeometry geometry;
    bool Positioned = false;       // the first layout has run
    QString PictureFile;           // the puzzle picture's file, when it comes from the "pics" folder
    // The puzzle picture that Album and Picture name: the built-in picture, or
    // the file of the "pics" folder stored under [Pictures] File, whose path
    // goes to `file`. A null image when Album names a file that is not there,
    // or when Album is neither; a picture that cannot be read raises its
    // failure. Start-up and the picture command each decide what a failure means.
    QImage chosenPuzzlePicture(QString& file) const;
    // The same for a picture named here: built-in `picture`, or `fileName`
    // in the "pics" folder cut at its chosen square.
    static QImage puzzlePicture(int album, int picture, const QString& fileName, QString& file);
    // The file of the "pics" folder that `album` 1 and `fileName` name, when
    // it is there; empty otherwise.
    static QString ownPictureFile(int album, const QString& fileName);
    // Own pictures are read on a worker thread (frmTavoro_picture.cpp):
    // the room goes on meanwhile, under a busy cursor; `arrived` gets what
    // was read unless another picture was chosen since or the window went.
    // Start pressed meanwhile starts the game once the picture is there.
    void readOwnPicture(const QString& file, std::function<void(const pictures::Decoded&)> arrived);
    bool pictureArriving() const { return pictureLater_.busy(); }
    // The reading under way is dropped (another picture was taken).
    void dropPictureUnderWay();
    // The puzzle picture and the preview take `picture`; a board already cut
    // shows it at once, the game as it stands.
    void showPuzzlePicture(const QImage& picture);
    // The picture, or where there is none (a file gone or unreadable) the
    // first built-in picture, chosen for this run; the settings file keeps
    // what it says.
    QImage orFirstBuiltIn(const QImage& picture);
    // Pictures dropped on the room or pasted with Ctrl+V are copied into the
    // "pics" folder; the last one is chosen (Album 1, File) and a new game
    // begins with it. Nothing changes when none could be added.
    void playNewPictures(const QStringList& added);
    // The last of them, read: chosen and played, or its failure reported.
    void playNewPicture(const QString& name, const QString& path, const pictures::Decoded& decoded);
    void pastePicture();

    // Persistent drawing: while it is on, what the window draws goes into its
    // background image, which stays and is shown whenever the window is
    // painted. The image is kept as what was drawn (a tile repeated over the
    // screen is one entry), not as a screen-sized bitmap.
    bool AutoRedraw = false;
    // The background image as large as the screen (or the window, when that
    // is larger), made from what was drawn.
    QPixmap backgroundImage() const;
    // How many pictures and grids of pictures the background image holds.
    size_t persistentDrawings() const { return drawn_.size(); }

    // Where the layout puts the picture frame for a client area of `client`
    // and an n x n board: its place, its pixels on the window and the opening
    // fitted to the board, in the frame's own pixels.
    struct FramePlace {
        float left = 0, top = 0, side = 0;
        QRect pixels;
        QRectF opening;
    };
    static FramePlace framePlaceFor(QSize client, int16_t n);

    // The font families of the window's labels.
    static QStringList fontFamilies();

protected:
    // Draws the picture at its natural size with its top left corner at (x, y).
    virtual void PaintPicture(const QPixmap& picture, float x, float y);

    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    // The room shows no sign of the focus: nothing to draw again for it.
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    widgets::PuzzlePiece* createPiece(int16_t index);
    widgets::ButtonControl* createPicBut(int16_t index);
    // Builds the options and help menus and makes their shortcuts work
    // anywhere in the window.
    void createMenus();
    // Drops and Ctrl+V bring new pictures (frmTavoro_drop.cpp).
    void acceptNewPictures();
    // The menus' captions in the current language.
    void setMenuCaptions();
    // Whether the window stands on the screen, so that its size is the one
    // the player sees.
    bool isOnScreen() const;
    // PicClip1 cut into N columns and N rows, N being the board size.
    void cutPictureClipForSize();
    // All 64 pieces hidden, whatever N is.
    void hideAllPieces();
    // The cells of PicClip1 as the pieces show them.
    void cutPictureIntoPieces();
    // The board ordered for the stored size and mode, and locked; 340 for a
    // size with more places than pieces.
    void orderBoard();
    // The stored mode as the board knows it.
    static game::Mode boardMode();
    // Cell i of the cut picture (none when there is no such cell).
    QPixmap cellPicture(int i) const;
    // Piece k shows the cell of the piece the board holds there, or the
    // empty-place picture.
    void drawPiece(int k);
    // Draws what the board tells of.
    void boardChanged(const game::Change& change);
    // Draws what the session tells of, and sets the clock's timer for the
    // session's next tick.
    void sessionChanged(const game::SessionChange& change);
    void scheduleTick();
    // After the solving move, from whichever input made it: the sounds, the
    // whole picture, the champions window with the result.
    void GameSolved();
    bool solvedPending_ = false;
    // The session is held while a modal window of the game is shown, or
    // another window of the game (the help) is the active one.
    void holdWhileWindowsStand(QObject* watched, QEvent* e);
    // The frame shpRahmen on the selected place, or hidden for -1.
    void showSelection(int place);
    // The keyboard cursor on the place, or hidden for -1.
    void showKeyCursor(int place);
    mainwindow::PieceMotion motion_;
    // Help: the hint's frames as the session tells them, and the search of
    // the shortest way on the pool, cancelled when the board moves.
    void showHint(const game::Move& move);
    void hideHint();
    void askForBetterHint();
    void stopThinking();
    std::array<widgets::ShapeControl*, 2> shpHint_{};
    void showHelpNote(bool atTheEnd);
    void placeHelpNote();
    void hideHelpNote();
    QLabel* helpNote_ = nullptr;
    QTimer* helpNoteTimer_ = nullptr;
    std::shared_ptr<std::atomic<bool>> thinking_;
    mainwindow::Cloth* cloth_ = nullptr;  // over the board while paused
    // The cloth shown or taken away as the session is paused or goes on.
    void showPaused();
    bool clothShown_ = false;
    bool previewWasShown_ = true;  // the preview's state before the pause
    // The moved pieces glide from where they stood (moves animated and the
    // window shown).
    void glideExchanged(int a, int b);
    // After the solving move: the glide ends and the whole picture stays a
    // moment before the champions window covers it. Input waits meanwhile.
    void letTheWholePictureShow();
    // Every piece drawn again with the cells as now cut.
    void redrawBoard();
    bool laidOut_ = false;  // positionieren has laid the room out once
    QSize laidOutSize_;     // the size the room was last laid out for
    bool layingOut_ = false;  // positionieren runs: its own resizes wait
    // Piece k's size and place on the board.
    void placePiece(int k);
    // Where the pieces of the board lie on the window.
    QRect boardArea() const;
    // The frame's opening fitted to the board as it lies now.
    void fitFrameToBoard();
    // The mode buttons show which mode is on.
    void showMode();

    std::array<widgets::PuzzlePiece*, game::MaxPlaces> imgPuzz_{};
    std::vector<QPixmap> cells_;  // PicClip1's cells, cut once for each new game
    std::array<widgets::ButtonControl*, 17> PicBut_{};
    std::array<QAction*, 6> mnuSize_{};
    std::array<QAction*, 3> mnuMusic_{};
    // What persistent drawing drew, in order: a picture repeated over a grid
    // of cols x rows places from (x, y), edge to edge.
    struct Drawn {
        QPixmap picture;
        QPointF at;
        int cols = 1;
        int rows = 1;
        QRectF area() const
        {
            return QRectF(at, QSizeF(picture.width() * cols, picture.height() * rows));
        }
    };
    std::vector<Drawn> drawn_;
    size_t drawnBefore_ = 0;  // entries of earlier paintings
    void endPersistentDrawing();
    void extendWallpaper();
    void drawPersistent(QPainter& p, const QRectF& clip) const;
    pictures::PictureLater pictureLater_{this};
    bool startWhenPictureArrives_ = false;
    bool firstPaintDone_ = false;  // the room has been painted once
    std::vector<std::function<void()>> afterFirstPaint_;
    bool watchingExposure_ = false;
};
