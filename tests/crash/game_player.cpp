// Plays a 4 x 4 slide game in the main window until a signal ends it: the
// kept-game tests send SIGTERM or SIGKILL between (or during) moves and read
// what was kept. Writes one byte to standard output once the game is under way.
//
//   game_player <folder for the player's files> [window]
//
// Without a window it makes a move every few milliseconds. With one it makes a
// move, then opens that window over the room and waits there, and writes the
// byte once the window stands: question, picture, wallpaper, help, champions,
// name (the champions window asking for a name), error, file (a file dialog),
// about.

#include "champions/frmHighscore.h"
#include "dialogs/ErrPtnr.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmPicAuswahl.h"
#include "dialogs/frmTapete.h"
#include "dialogs/help.h"
#include "errors/failure.h"
#include "errors/trap.h"
#include "mainwindow/frmTavoro.h"
#include "platform/seams.h"
#include "platform/termination.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "widgets/seams.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <functional>
#include <map>
#include <string>
#include <unistd.h>

namespace {

void tellStarted()
{
    [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, "r", 1);
}

// A neighbour of the empty place slides in; the next move may take it back.
void move(frmTavoro& w)
{
    const int e = w.board.emptyPlace();
    const int k = e % 4 > 0 ? e - 1 : e + 1;
    w.imgPuzz_MouseDown(static_cast<int16_t>(k), 1, 0, 0, 0);
    if (w.board.locked())
        w.Start();
}

std::map<std::string, std::function<void(frmTavoro&)>> windows()
{
    return {
        {"question", [](frmTavoro& w) {
             services::seams().askYesNoDefaultNo(&w, QStringLiteral("Abandon?"),
                                                 QStringLiteral("Tavoro"));
         }},
        {"picture", [](frmTavoro& w) {
             frmPicAuswahl window(&w);
             window.Form_Load();
             window.exec();
         }},
        {"wallpaper", [](frmTavoro& w) {
             frmTapete window(&w);
             window.Form_Load();
             window.exec();
         }},
        {"help", [](frmTavoro& w) { help::HtmlHelp(&w, Allgemein::settings().Sprache()); }},
        {"champions", [](frmTavoro& w) { champions::showHighscore(&w, std::nullopt); }},
        {"name", [](frmTavoro& w) {
             game::Score won;
             won.seconds = 7;
             won.moves = 12;
             champions::showHighscore(&w, won);
         }},
        {"error", [](frmTavoro&) {
             errors::Procedure proc{"game_player", "error"};
             proc.run({[] { errors::raise(75, QStringLiteral("Path/File access error")); }});
         }},
        {"file", [](frmTavoro& w) {
             QFileDialog::getOpenFileName(&w, QString(), QString(), QString(), nullptr,
                                          QFileDialog::DontUseNativeDialog);
         }},
        {"about", [](frmTavoro& w) { frmInfo::showAboutBox(&w); }},
    };
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::seams().programFolder = QString::fromLocal8Bit(argv[1]);
    services::seams().PlayWAV = [](int16_t) {};
    const std::string window = argc > 2 ? argv[2] : "";
    if (window.empty())
        widgets::seams().showChampions = [](QWidget*, std::optional<game::Score>) {};
    errors::installErrorDialog();

    frmTavoro w;
    termination::quitOnSignals([&w] { w.keepGameNow(); });
    w.Form_Load();
    w.FirstResetDone = true;
    Allgemein::settings().setSize(4);
    w.NewGame();
    w.Start();

    QTimer moves;
    bool told = false;
    // Outlive the event loop: the timers' functions use them.
    const auto open = windows();
    auto it = open.end();
    if (window.empty()) {
        QObject::connect(&moves, &QTimer::timeout, [&] {
            move(w);
            if (!told) {
                told = true;
                tellStarted();
            }
        });
        moves.start(3);
    } else {
        it = open.find(window);
        if (it == open.end())
            return 2;
        move(w);
        // Told once the window stands (its own event loop runs this timer).
        QObject::connect(&moves, &QTimer::timeout, [&] {
            bool stands = QApplication::activeModalWidget() != nullptr;
            for (QWidget* top : QApplication::topLevelWidgets())
                stands = stands || (top != &w && top->isVisible());
            if (stands) {
                moves.stop();
                tellStarted();
            }
        });
        QTimer::singleShot(0, &w, [&] {
            moves.start(20);
            it->second(w);
        });
    }
    return app.exec();
}
