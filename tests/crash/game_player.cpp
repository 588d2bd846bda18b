// Plays a 4 x 4 slide game in the main window, a move every few
// milliseconds, until a signal ends it: the kept-game test sends SIGTERM or
// SIGKILL between (or during) moves and reads what was kept. Writes one byte
// to standard output once the first move has been made.
//
//   game_player <folder for the player's files>

#include "mainwindow/frmTavoro.h"
#include "platform/seams.h"
#include "platform/termination.h"
#include "services/seams.h"
#include "services/settings.h"
#include "widgets/seams.h"

#include <QApplication>
#include <QTimer>

#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::seams().programFolder = QString::fromLocal8Bit(argv[1]);
    services::seams().PlayWAV = [](int16_t) {};
    widgets::seams().showChampions = [](QWidget*, std::optional<game::Score>) {};
    termination::quitOnSignals();

    frmTavoro w;
    w.Form_Load();
    w.FirstResetDone = true;
    Allgemein::settings().setSize(4);
    w.NewGame();
    w.Start();
    bool told = false;
    QTimer moves;
    QObject::connect(&moves, &QTimer::timeout, [&] {
        // A neighbour of the empty place slides in; the next tick may take it back.
        const int e = w.board.emptyPlace();
        const int k = e % 4 > 0 ? e - 1 : e + 1;
        w.imgPuzz_MouseDown(static_cast<int16_t>(k), 1, 0, 0, 0);
        if (w.board.locked())
            w.Start();
        if (!told) {
            told = true;
            [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, "r", 1);
        }
    });
    moves.start(3);
    return app.exec();
}
