#include "dialogs/frmStatistik.h"

#include "dialogs/statistics_chart.h"
#include "errors/trap.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/statistics.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

using Allgemein::settings;
using errors::Procedure;
using game::statistics::Record;

namespace {

QString lang(int number)
{
    return services::seams().GetLang(int16_t(settings().Sprache() + number));
}

QString figure(std::optional<double> v)
{
    return v ? QLocale().toString(*v, 'g', 6) : QStringLiteral("–");
}

QString figure(std::optional<int> v)
{
    return v ? QString::number(*v) : QStringLiteral("–");
}

// A label for a value, its caption in front of it and naming it for screen
// readers.
QLabel* valueRow(QFormLayout* form, QWidget* owner, int caption)
{
    auto* value = new QLabel(owner);
    auto* name = new QLabel(lang(caption), owner);
    name->setBuddy(value);
    value->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    value->setAccessibleName(QString(lang(caption)).remove(QLatin1Char(':')));
    form->addRow(name, value);
    return value;
}

}  // namespace

frmStatistik::frmStatistik(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(lang(330));
    setAccessibleName(lang(330));
    auto* layout = new QVBoxLayout(this);

    auto* choice = new QHBoxLayout;
    auto* artLabel = new QLabel(lang(336), this);
    cboArt = new QComboBox(this);
    for (int mode = 0; mode < 2; ++mode)
        for (int size = 3; size <= game::MaxSide; ++size)
            cboArt->addItem(lang(mode ? 338 : 337).arg(size), size * 2 + mode);
    artLabel->setBuddy(cboArt);
    cboArt->setAccessibleName(QString(lang(336)).remove(QLatin1Char(':')));
    choice->addWidget(artLabel);
    choice->addWidget(cboArt);
    choice->addStretch();
    layout->addLayout(choice);

    auto* form = new QFormLayout;
    lblPlayed = valueRow(form, this, 339);
    lblSolved = valueRow(form, this, 340);
    lblMoves = valueRow(form, this, 341);
    lblSeconds = valueRow(form, this, 342);
    lblShare = valueRow(form, this, 343);
    layout->addLayout(form);

    auto* shown = new QHBoxLayout;
    auto* shownLabel = new QLabel(lang(355), this);
    shown->addWidget(shownLabel);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        optChart[i] = new QRadioButton(lang(i ? 345 : 344), this);
        group->addButton(optChart[i], i);
        shown->addWidget(optChart[i]);
    }
    optChart[0]->setChecked(true);
    shown->addStretch();
    layout->addLayout(shown);

    chart = new dialogs::StatisticsChart(this);
    layout->addWidget(chart, 1);

    tblGames = new QTableWidget(0, 5, this);
    tblGames->setHorizontalHeaderLabels({lang(346), lang(347), lang(345), lang(344), lang(348)});
    tblGames->setAccessibleName(lang(354));
    tblGames->verticalHeader()->hide();
    tblGames->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblGames->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblGames->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblGames->setMinimumHeight(120);
    layout->addWidget(tblGames, 1);

    lblNote = new QLabel(this);
    lblNote->setWordWrap(true);
    lblNote->hide();
    layout->addWidget(lblNote);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    cmdClose = new QPushButton(lang(356), this);
    cmdClose->setDefault(true);
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);

    connect(cboArt, &QComboBox::activated, this, [this] { cboArt_Click(); });
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { optChart_Click(int16_t(id)); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    resize(620, 640);
}

void frmStatistik::showStatistics(QWidget* owner)
{
    frmStatistik window(owner);
    window.Form_Load();
    window.exec();
}

void frmStatistik::Form_Load()
{
    Procedure proc{"frmStatistik", "Form_Load"};
    proc.run({
        [&] {
            game::statistics::Decoded read = statistics::load();
            showGames(std::move(read.records), statistics::damagedReportOnce(read.damaged));
        },
    });
}

void frmStatistik::showGames(std::vector<Record> games, const QString& report)
{
    games_ = std::move(games);
    lblNote->setText(report);
    lblNote->setVisible(!report.isEmpty());
    if (games_.empty())
        choose(settings().Size(), settings().Mode());
    else
        choose(games_.back().size, games_.back().mode);
}

void frmStatistik::choose(int size, game::Mode mode)
{
    const int at = cboArt->findData(size * 2 + int(mode));
    cboArt->setCurrentIndex(std::max(0, at));
    refresh();
}

void frmStatistik::cboArt_Click()
{
    Procedure proc{"frmStatistik", "cboArt_Click"};
    proc.run({[&] { refresh(); }});
}

void frmStatistik::optChart_Click(int16_t Index)
{
    Procedure proc{"frmStatistik", "optChart_Click"};
    proc.run({[&] {
        optChart[Index == 1 ? 1 : 0]->setChecked(true);
        refresh();
    }});
}

void frmStatistik::cmdClose_Click()
{
    Procedure proc{"frmStatistik", "cmdClose_Click"};
    proc.run({[&] { accept(); }});
}

void frmStatistik::refresh()
{
    const int data = cboArt->currentData().toInt();
    const int size = data / 2;
    const auto mode = game::Mode(data % 2);
    const game::statistics::Summary s = game::statistics::summarize(games_, size, mode);
    lblPlayed->setText(QString::number(s.played));
    lblSolved->setText(QString::number(s.solved));
    lblMoves->setText(figure(s.bestMoves) + QStringLiteral(" / ") + figure(s.medianMoves));
    lblSeconds->setText(figure(s.bestSeconds) + QStringLiteral(" / ") + figure(s.medianSeconds));
    lblShare->setText(s.withinShare ? QLocale().toString(*s.withinShare * 100, 'f', 0) + QStringLiteral(" %")
                                    : QStringLiteral("–"));

    const std::vector<Record> last = game::statistics::lastSolved(games_, size, mode, ChartGames);
    const bool moves = optChart[1]->isChecked();
    std::vector<double> values;
    for (const Record& r : last)
        values.push_back(moves ? r.moves : r.seconds);
    chart->setValues(values, lang(349), lang(350));
    const QString what = lang(moves ? 345 : 344);
    if (values.empty()) {
        chart->setAccessibleName(lang(352));
    } else {
        const auto line = game::statistics::trend(values);
        const double best = *std::min_element(values.begin(), values.end());
        chart->setAccessibleName(lang(353)
                                     .arg(values.size())
                                     .arg(what)
                                     .arg(best)
                                     .arg(line ? QLocale().toString(line->first, 'f', 0) : QString::number(values[0]))
                                     .arg(line ? QLocale().toString(line->last, 'f', 0) : QString::number(values[0])));
    }
    chart->setAccessibleDescription(lang(354));

    tblGames->setRowCount(int(last.size()));
    for (int row = 0; row < int(last.size()); ++row) {
        const Record& r = last[size_t(row)];
        const QString cells[5] = {
            QString::number(row + 1),
            QLocale().toString(QDateTime::fromSecsSinceEpoch(r.date).toLocalTime().date(), QLocale::ShortFormat),
            QString::number(r.moves),
            QString::number(r.seconds),
            r.shortest ? QString::number(*r.shortest) : QStringLiteral("–"),
        };
        for (int column = 0; column < 5; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Qt::AlignCenter);
            tblGames->setItem(row, column, item);
        }
    }
}
