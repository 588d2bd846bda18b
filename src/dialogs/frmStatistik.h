#pragma once
// The statistics window: for the size and mode chosen, the games played and
// solved, the best and median moves and seconds, and the share of games
// within one and a half times the shortest solution; a chart of the seconds
// or the moves of the last games solved, with the best marked and a trend
// line; and the same games as a table, the chart's text for screen readers.
// Damaged lines of the statistics file are reported once a run in a line of
// the window. Every procedure runs under the trap as "frmStatistik".

#include "game/statistics.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace dialogs {
class StatisticsChart;
}

class frmStatistik : public QDialog {
    Q_OBJECT

public:
    // The chart shows at most this many games.
    static constexpr int ChartGames = 30;

    explicit frmStatistik(QWidget* owner = nullptr);

    // The window over `owner`, shown modally with the games of the
    // statistics file; returns when it closes.
    static void showStatistics(QWidget* owner);

    // Reads the statistics file and shows its games.
    void Form_Load();
    // Shows these games (Form_Load's, or a test's) and a report of damaged
    // lines when there is one; the size and mode of the last game are
    // chosen, or the settings' when there are none.
    void showGames(std::vector<game::statistics::Record> games, const QString& report = {});
    // The size and mode chosen in cboArt.
    void cboArt_Click();
    // Seconds (0) or moves (1) in the chart.
    void optChart_Click(int16_t Index);
    void cmdClose_Click();

    // Chooses size and mode as cboArt does.
    void choose(int size, game::Mode mode);

    QComboBox* cboArt = nullptr;
    QLabel* lblPlayed = nullptr;
    QLabel* lblSolved = nullptr;
    QLabel* lblMoves = nullptr;
    QLabel* lblSeconds = nullptr;
    QLabel* lblShare = nullptr;
    QRadioButton* optChart[2] = {};
    dialogs::StatisticsChart* chart = nullptr;
    QTableWidget* tblGames = nullptr;
    QLabel* lblNote = nullptr;
    QPushButton* cmdClose = nullptr;

private:
    // The figures, the chart and the table for the choice.
    void refresh();

    std::vector<game::statistics::Record> games_;
};
