#include "mainwindow/frmTavoro.h"

#include "mainwindow/board_accessible.h"

#include "errors/trap.h"
#include "services/picture_file.h"
#include "services/picture_square.h"
#include "widgets/controls.h"
#include "mainwindow/startsize.h"
#include "platform/appinfo.h"
#include "platform/clock.h"
#include "platform/numbers.h"
#include "platform/qttranslations.h"
#include "platform/mci.h"
#include "platform/twips.h"
#include "services/language.h"
#include "services/media.h"
#include "services/random.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

using Allgemein::settings;
using errors::Procedure;
using widgets::ImageControl;
using widgets::PuzzlePiece;
using widgets::ShapeControl;

namespace {

widgets::LabelControl* makeLabel(QWidget* parent, const QString& text, QRect geometry,
                                   const QString& family, qreal points, bool bold, QColor fore,
                                   QColor back)
{
    auto* l = new widgets::LabelControl(text, parent);
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(back.alpha() > 0);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, fore);
    pal.setColor(QPalette::Window, back);
    l->setPalette(pal);
    l->place(geometry.x(), geometry.y(), geometry.width(), geometry.height());
    return l;
}

// An image showing a piece of the window's artwork, at its designed place and
// size.
ImageControl* makeArt(QWidget* parent, const QString& art, QRectF geometry, bool visible)
{
    auto* img = new ImageControl(parent);
    img->setArt(QStringLiteral(":/art/") + art);
    img->place(geometry.x(), geometry.y(), geometry.width(), geometry.height());
    img->setVisible(visible);
    return img;
}

// The labels' fonts.
const QString kSerif = QStringLiteral("Times New Roman");
const QString kSans = QStringLiteral("Arial");
const QString kMono = QStringLiteral("Courier");
constexpr qreal kMovesPoints = 12;  // the calendar's "Moves", smaller where a language needs it

// A toolbar button is 550 twips square.
constexpr float ToolbarButtonSide = 550.0f / twips::TwipsPerPixel;
// A language flag is a little smaller than the 38 x 25 of its artwork, so
// that the flags stand apart on the toolbar and clear of the window's edge.
constexpr float FlagWidth = 34;
constexpr float FlagHeight = 22;

struct ToolbarButton {
    int16_t index;
    const char* art;
    const char* tooltip;  // fixed for the language buttons
};

constexpr ToolbarButton kToolbar[] = {
    {0, "toolbar/start.svg", nullptr},     {1, "toolbar/end.svg", nullptr},
    {2, "toolbar/preview.svg", nullptr},   {3, "toolbar/picture.svg", nullptr},
    {4, "toolbar/wallpaper.svg", nullptr}, {5, "toolbar/slide.svg", nullptr},
    {6, "toolbar/swap.svg", nullptr},      {7, "toolbar/options.svg", nullptr},
    {8, "toolbar/champions.svg", nullptr}, {9, "toolbar/help.svg", nullptr},
    {10, "flags/de.svg", "Deutsch"},       {11, "flags/gb.svg", "English"},
    {12, "flags/se.svg", "Svenska"},       {13, "flags/it.svg", "Italiano"},
    {14, "flags/es.svg", "Español"},       {16, "flags/fr.svg", "Français"},
};

}  // namespace

frmTavoro::frmTavoro(QWidget* parent)
    : QWidget(parent),
      session([] { return wallclock::NowDateTime().toMSecsSinceEpoch(); }),
      board(session.board())
{
    setWindowTitle(appinfo::title());
    // The window's icon comes once the room has been painted (see paintEvent).

    // From the bottom up: the frame behind the board, the wallpaper holder,
    // the furniture (cactus and teddy in front of the cupboard), the calendar
    // with the labels on its page, and the clock in front of the calendar.
    imgRahmen = new mainwindow::FrameControl(this);
    imgRahmen->place(0, 0, 300, 300);
    imgRahmen->hide();
    imgHinterg = new ImageControl(this);
    imgHinterg->hide();
    imgSchrank = makeArt(this, QStringLiteral("furniture/schrank.svg"), QRectF(0, 0, 96, 313), false);
    imgKaktus = makeArt(this, QStringLiteral("furniture/kaktus.svg"), QRectF(0, 0, 94, 178), false);
    imgTeddy = makeArt(this, QStringLiteral("furniture/teddy.svg"), QRectF(0, 0, 162, 171), false);
    imgKommode = makeArt(this, QStringLiteral("furniture/kommode.svg"), QRectF(0, 0, 315, 120), false);
    imgKalender = makeArt(this, QStringLiteral("furniture/kalender.svg"), QRectF(64, 240, 105, 140), true);

    lblZuege = makeLabel(this, services::seams().GetLang(int16_t(settings().Sprache() + 106)),
                         QRect(75, 264, 85, 20), kSerif, kMovesPoints, true, Qt::red, Qt::transparent);
    widgets::fitText(lblZuege, kMovesPoints);
    lblZugzahl = makeLabel(this, QStringLiteral("0"), QRect(72, 296, 89, 41),
                           kSerif, 26.25, true, Qt::black, Qt::white);
    Label1 = makeLabel(this, appinfo::title(), QRect(80, 352, 73, 15), kSans, 8,
                       false, Qt::white, Qt::black);

    imgUhr = makeArt(this, QStringLiteral("furniture/uhr.svg"), QRectF(0, 0, 108, 69), false);
    lblTime = makeLabel(this, QStringLiteral("0"), QRect(0, 0, 65, 25), kMono,
                        19.5, true, QColor(0, 255, 0), Qt::black);
    imgUhr->installEventFilter(this);
    lblTime->installEventFilter(this);
    // Quitting in any way (a signal, the session's end) keeps a running game.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        keepGameNow();
        if (Positioned && isVisible())
            mainwindow::rememberWindowPlace(*this);
    });
    lblTime->hide();

    // The board; the pieces go in under the empty place's picture, so they
    // stay below the selection frame, preview and toolbar.
    imgPuzz_[0] = createPiece(0);

    imgLeer = new ImageControl(this);
    {
        QFile leer(QStringLiteral(":/art/leer.bmp"));
        leer.open(QIODevice::ReadOnly);
        imgLeer->setPicture(QPixmap::fromImage(resources::readBmp(leer.readAll())));
    }
    imgLeer->setSize(50, 50);
    imgLeer->hide();
    // All 64 pieces exist from the start, enough for the largest board, so
    // that no failure at start-up can leave a board short of pieces.
    for (int16_t k = 1; k < game::MaxPlaces; ++k)
        imgPuzz_[k] = createPiece(k);

    shpRahmen = new ShapeControl(this);
    shpRahmen->hide();
    shpCursor = new ShapeControl(this, QColor(255, 255, 255), 2);
    shpCursor->hide();

    imgPreview = new ImageControl(this);
    imgPreview->place(40, 56, 150, 150);
    shpPreview = new ShapeControl(this, Qt::black, 1);
    shpPreview->setSize(162, 162);
    shpPreview->hide();

    // The toolbar: a walnut strip along the right edge with the buttons on it.
    lblToolbar = new widgets::LabelControl(QString(), this);
    lblToolbar->hide();
    for (const ToolbarButton& b : kToolbar) {
        widgets::ButtonControl* button = createPicBut(b.index);
        if (b.index <= 9) {
            button->setArt(QStringLiteral(":/art/") + QLatin1String(b.art),
                           widgets::ButtonControl::Look::Icon, QSize(28, 28));
            button->setSize(ToolbarButtonSide, ToolbarButtonSide);
            button->setToolTip(services::seams().GetLang(
                int16_t(settings().Sprache() + languagetable::kToolbarTooltips[b.index])));
        } else {
            button->setArt(QStringLiteral(":/art/") + QLatin1String(b.art),
                           widgets::ButtonControl::Look::Fill);
            button->setSize(FlagWidth, FlagHeight);
            button->setToolTip(QString::fromUtf8(b.tooltip));
            // The flag of the language in use stays marked.
            button->setCheckable(true);
        }
        button->hide();
    }
    // The mode buttons stay down while their mode is on.
    PicBut_[5]->setCheckable(true);
    PicBut_[6]->setCheckable(true);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    Timer2 = new QTimer(this);
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });

    createMenus();
    acceptNewPictures();

    session.listen([this](const game::SessionChange& change) { sessionChanged(change); });
    // Any other window of the game shown over the room holds the clock.
    qApp->installEventFilter(this);
    mainwindow::makeRoomAccessible(*this);
}

frmTavoro::~frmTavoro() = default;

QStringList frmTavoro::fontFamilies()
{
    return {kSerif, kSans, kMono};
}

PuzzlePiece* frmTavoro::createPiece(int16_t index)
{
    auto* piece = new PuzzlePiece(this, board, index);
    piece->hide();
    if (imgLeer)
        piece->stackUnder(imgLeer);
    piece->onMouseDown = [this](int16_t i, int16_t button, int16_t shift, float x, float y) {
        imgPuzz_MouseDown(i, button, shift, x, y);
    };
    return piece;
}

widgets::ButtonControl* frmTavoro::createPicBut(int16_t index)
{
    auto* b = new widgets::ButtonControl(this);
    connect(b, &QAbstractButton::clicked, this, [this, index] { PicBut_Click(index); });
    PicBut_[index] = b;
    return b;
}

PuzzlePiece* frmTavoro::imgPuzz(int k) const
{
    if (k < 0 || k >= game::MaxPlaces || !imgPuzz_[k])
        errors::raiseNoSuchElement("imgPuzz", k);
    return imgPuzz_[k];
}

widgets::ButtonControl* frmTavoro::PicBut(int i) const
{
    if (!hasPicBut(i))
        errors::raiseNoSuchElement("PicBut", i);
    return PicBut_[i];
}

bool frmTavoro::hasPicBut(int i) const
{
    return i >= 0 && i < int(PicBut_.size()) && PicBut_[i];
}

QImage frmTavoro::chosenPuzzlePicture(QString& file) const
{
    return puzzlePicture(settings().Album(), settings().Picture(),
                         Allgemein::GetIniString("Pictures", "File", "Tavoro1.bmp"), file);
}

QImage frmTavoro::puzzlePicture(int album, int picture, const QString& fileName, QString& file)
{
    if (album == 0)
        return resources::loadBitmap(picture + 100);
    file = ownPictureFile(album, fileName);
    if (file.isEmpty())
        return {};
    return pictures::loadPuzzlePicture(file, pictures::storedSquare(file));
}

// ---------------------------------------------------------------------------
// Lifecycle

void frmTavoro::Form_Load()
{
    Procedure proc{"frmTavoro", "Form_Load"};
    proc.run({
        [&] { Allgemein::Randomize(); },
        // Each stored setting is checked as it is read: a value out of its set
        // is reported once and replaced by its default.
        [&] { settings().load(Allgemein::Setting::Album); },
        [&] { settings().load(Allgemein::Setting::Picture); },
        [&] {
            // The puzzle picture: a built-in one, or a file of the "pics" folder.
            // A picture that cannot be loaded (a file that is not there or is no
            // picture) falls back on the first built-in picture for this run;
            // the settings keep what they say.
            if (settings().Album() != 0 && settings().Album() != 1)
                return;
            // An own picture is read on the worker; the room shows at once, its
            // board plain until the picture arrives (or falls back).
            const QString own = ownPictureFile(
                settings().Album(), Allgemein::GetIniString("Pictures", "File", "Tavoro1.bmp"));
            if (!own.isEmpty()) {
                PictureFile = own;
                QImage plain(8, 8, QImage::Format_RGB32);
                plain.fill(QColor(0x4a, 0x35, 0x20));
                PicClip1.setPicture(plain);
                readOwnPicture(own, [this](const pictures::Decoded& d) {
                    Procedure late{"frmTavoro", "Form_Load"};
                    late.run({[&] { showPuzzlePicture(orFirstBuiltIn(d.picture)); }});
                });
                return;
            }
            QImage picture;
            try {
                picture = chosenPuzzlePicture(PictureFile);
            } catch (const errors::Failure&) {
            }
            PicClip1.setPicture(orFirstBuiltIn(picture));
        },
        [&] { imgPreview->setPicture(QPixmap::fromImage(PicClip1.Picture())); },
        [&] {
            // The stored size takes effect through the size command: its check
            // mark, Size, a new game (on this first call of the run it only
            // notes it) and the size stored again. A size without a menu entry
            // is reported there and never reaches the board; the default size
            // then takes its place and is stored, so the next start is clean.
            const int16_t stored = Allgemein::GetIniInt(Allgemein::Setting::Size);
            mnuSize_Click(static_cast<int16_t>(stored - 3));
            if (!Allgemein::SettingAllowed(Allgemein::Setting::Size, stored))
                mnuSize_Click(static_cast<int16_t>(
                    Allgemein::SettingDefault(Allgemein::Setting::Size) - 3));
        },
        [&] {
            // The music mode through the music command: 0 off, 1 once,
            // 2 endless. No music starts before the window is active. A mode
            // without an entry is reported there, and the default mode is
            // applied and stored instead.
            const int16_t stored = Allgemein::GetIniInt(Allgemein::Setting::PlayMusic);
            mnuMusic_Click(stored);
            if (!Allgemein::SettingAllowed(Allgemein::Setting::PlayMusic, stored))
                mnuMusic_Click(Allgemein::SettingDefault(Allgemein::Setting::PlayMusic));
        },
        [&] { settings().load(Allgemein::Setting::PlaySound); },
        [&] {
            settings().load(Allgemein::Setting::Mode);
            showMode();
        },
        // No game runs: the board ordered and locked.
        [&] { session.newGame(settings().Size(), boardMode()); },
        [&] { settings().load(Allgemein::Setting::Background); },
        [&] {
            QPalette pal = palette();
            pal.setColor(QPalette::Window, Qt::black);
            setPalette(pal);
            setAutoFillBackground(true);
            // The window paints its background itself, under the wallpaper.
            setAttribute(Qt::WA_OpaquePaintEvent);
        },
        [&] {
            Allgemein::setMusicTimerSwitch([this](bool on) {
                if (on)
                    Timer2->start();
                else
                    Timer2->stop();
            });
        },
        [&] {
            settings().load(Allgemein::Setting::Animate);
            mnuAnimate->setChecked(settings().Animate());
        },
    });
}

void frmTavoro::Form_Activate()
{
    Procedure proc{"frmTavoro", "Form_Activate"};
    int16_t digit = 0;
    proc.run({
        [&] {
            // The language digit is the first character of the stored language value.
            const QString text = QString::number(settings().Sprache()).trimmed();
            digit = static_cast<int16_t>(numbers::Val(text.left(1)));
        },
        [&] {
            // Applied as its language button does; a digit without a language
            // changes nothing.
            static const int16_t buttonOfDigit[10] = {10, 11, 12, 13, -1, 14, 16, -1, -1, -1};
            if (digit >= 0 && digit <= 9 && buttonOfDigit[digit] >= 0)
                PicBut_Click(buttonOfDigit[digit]);
        },
        [&] { settings().store(Allgemein::Setting::Sprache); },
        [&] {
            if (settings().MusicOn())
                Allgemein::MakeMusic();
        },
    });
}

void frmTavoro::Form_Unload()
{
    Procedure proc{"frmTavoro", "Form_Unload"};
    proc.runSkippingFailures({
        // A game that runs is kept for the next start, whole on disk.
        [&] { keepGameNow(); },
        // Events waiting now are handled once the unloading has returned.
        [] {},
        [&] {
            if (settings().MusicOn()) {
                mciSendString(QStringLiteral("close midi"));
                QFile::remove(Allgemein::LanguageFile());
                Timer2->stop();
            }
        },
        [&] { Allgemein::setMusicTimerSwitch({}); },
        [&] {
            // The program ends with its main window.
            QCoreApplication::exit(0);
        },
    });
}

void frmTavoro::Sprache()
{
    Procedure proc{"frmTavoro", "Sprache"};
    proc.run({
        [&] { setMenuCaptions(); },
        [&] {
            lblZuege->setText(services::seams().GetLang(int16_t(settings().Sprache() + 106)));
            widgets::fitText(lblZuege, kMovesPoints);
        },
        [&] {
            for (int i = 0; i < int(languagetable::kToolbarTooltips.size()); ++i) {
                if (hasPicBut(i))
                    PicBut(i)->setToolTip(services::seams().GetLang(
                        int16_t(settings().Sprache() + languagetable::kToolbarTooltips[i])));
            }
        },
        [&] { qttranslations::apply(settings().Sprache()); },
        [&] {
            static const int16_t buttonOfDigit[7] = {10, 11, 12, 13, -1, 14, 16};
            const int digit = settings().Sprache() / 1000;
            const int active = digit >= 0 && digit < 7 ? buttonOfDigit[digit] : -1;
            for (int i = 10; i <= 16; ++i) {
                if (hasPicBut(i))
                    PicBut(i)->setChecked(i == active);
            }
        },
    });
}

void frmTavoro::Timer2_Timer()
{
    // The music watch reports under "frmTavoro" / "Timer2_Timer" itself; a
    // failure in it is told once, and the watch then stops for the run.
    if (!musicWatch.run([] { Allgemein::MusicWatchTick(); }))
        Timer2->stop();
}

void frmTavoro::Form_Resize()
{
    Procedure proc{"frmTavoro", "Form_Resize"};
    proc.run({
        [&] {
            if (windowState() & Qt::WindowMinimized) {
                // A game minimized is paused: time away is not played.
                pauseGame();
                proc.leave();
            }
        },
        [&] {
            if (!Positioned && isOnScreen()) {
                Positioned = true;
                positionieren();
                // The game kept when the program last ended goes on.
                continueKeptGame();
            } else if (Positioned && size() != laidOutSize_ && !layingOut_) {
                // Every new size lays the room out again; a game goes on.
                positionieren();
            }
            laidOutSize_ = size();
        },
    });
}

// The first layout waits until the window stands on the screen: a window
// that is shown maximized gets a resize at its old size before the window
// manager gives it its final one, and the layout is made only once. The first
// exposure of the window counts as a resize.
bool frmTavoro::isOnScreen() const
{
    const QWindow* handle = windowHandle();
    return isVisible() && handle && handle->isExposed();
}

void frmTavoro::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void frmTavoro::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmTavoro::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!watchingExposure_ && windowHandle()) {
        windowHandle()->installEventFilter(this);
        watchingExposure_ = true;
        // The room itself holds the keyboard focus at first (Enter starts a
        // game, Esc ends it), not the first toolbar button, which would be
        // drawn again with a focus line right after the room's first paint.
        setFocusPolicy(Qt::StrongFocus);
        setFocus(Qt::OtherFocusReason);
        // Shown for the first time: ask to become the active window, so that
        // Form_Activate runs (language stored, music started) also where no
        // window manager activates it, as in a kiosk or on a bare X server.
        services::seams().requestActivation(this);
    }
}

void frmTavoro::holdWhileWindowsStand(QObject* watched, QEvent* e)
{
    const auto* changed = qobject_cast<QWidget*>(watched);
    if (!changed || !changed->isWindow())
        return;
    // Dialogs and windows of the game count; menus, tooltips and other rooms
    // do not. A modal one holds the game while it is shown; another (the
    // help) while the player is in it, not while playing beside it.
    const QWidget* leaving = e->type() == QEvent::Hide ? changed : nullptr;
    bool standing = false;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (w == this || w == leaving || !w->isVisible() || qobject_cast<const frmTavoro*>(w)
            || (type != Qt::Window && type != Qt::Dialog && type != Qt::Sheet))
            continue;
        standing = standing || w->isModal() || w == QApplication::activeWindow();
    }
    session.hold(standing);
}

bool frmTavoro::eventFilter(QObject* watched, QEvent* e)
{
    switch (e->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        holdWhileWindowsStand(watched, e);
        break;
    default:
        break;
    }
    // A click on the clock pauses the game.
    if ((watched == imgUhr || watched == lblTime) && e->type() == QEvent::MouseButtonPress
        && !board.locked()) {
        pauseGame();
        return true;
    }
    // The first time the window is exposed counts as its first resize.
    if (e->type() == QEvent::Expose && watched == windowHandle() && !Positioned && isOnScreen())
        Form_Resize();
    return QWidget::eventFilter(watched, e);
}

bool frmTavoro::event(QEvent* e)
{
    // Qt's own texts in another language concern its dialogs, not the room:
    // its texts come from the game's table, so it is not painted again.
    if (e->type() == QEvent::LanguageChange)
        return true;
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

void frmTavoro::closeEvent(QCloseEvent* e)
{
    if (Positioned)
        mainwindow::rememberWindowPlace(*this);
    QWidget::closeEvent(e);
    Form_Unload();
}

void frmTavoro::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    const bool modifierAlone = key == Qt::Key_Shift || key == Qt::Key_Control
        || key == Qt::Key_Alt || key == Qt::Key_Meta || key == Qt::Key_AltGr;
    // The session takes the keys of play while a game runs (and any key
    // while paused or while Solve plays).
    if (!modifierAlone && boardKey(key, e->modifiers())) {
        e->accept();
        return;
    }
    // Enter presses the start button, Esc (unless it let go of a selected
    // piece) the end button.
    int button = -1;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        button = 0;
    else if (key == Qt::Key_Escape)
        button = 1;
    if (button >= 0 && hasPicBut(button)) {
        e->accept();
        PicBut(button)->click();
        return;
    }
    QWidget::keyPressEvent(e);
}
