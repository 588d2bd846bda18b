// From the board to the file and back: a 3 x 3 swap game solved on the real
// main window asks for the name in the real name box, shows the entry in row
// 1 and stores it; after a restart the toolbar's champions button shows the
// same list without asking.

#include "champions/frmHighscore.h"
#include "champions/hscodec.h"
#include "mainwindow/frmTavoro.h"
#include "platform/profile.h"
#include "platform/seams.h"
#include "services/language.h"
#include "services/media.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/files.h"
#include "support/scripted_errors.h"
#include "widgets/seams.h"

#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace {

const QDateTime kStart(QDate(2024, 5, 17), QTime(14, 30, 0));
using Row = std::array<QString, 3>;

class SolvedGame : public ::testing::Test {
protected:
    testsupport::ScriptedErrors errors;
    QTemporaryDir folder;  // the program's folder
    QTemporaryDir temp;    // the user's temporary folder
    QByteArray oldTmp = qgetenv("TMPDIR");
    std::unique_ptr<frmTavoro> w;

    // What the player met: the name boxes' prompts, the champions windows'
    // first rows and their mode lines.
    QStringList prompts;
    std::vector<Row> firstRows;
    QStringList modeLines;
    QTimer player;

    void SetUp() override
    {
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        platform::seams().programFolder = folder.path();
        services::resetSeams();
        widgets::resetSeams();
        // The champions window as the program gives it to the main window.
        widgets::seams().showChampions = champions::showHighscore;
        services::seams().languageFile = temp.filePath("~tmp.lng");
        Allgemein::WriteLanguageFile();
        services::seams().PlayWAV = [](int16_t) {};
        services::seams().askYesNo = [](QWidget*, const QString&, const QString&) {
            return false;
        };
        Allgemein::resetMediaForTesting();
        platform::seams().now = [] { return kStart; };
        ASSERT_TRUE(testsupport::writeFile(
            folder.filePath("Tavoro.ini"),
            "[Optionen]\r\nSprache=1000\r\nSize=3\r\nMode=1\r\nPlaySound=0\r\nPlayMusic=0\r\n"));

        // The player answers whatever modal window stands open.
        player.setInterval(10);
        QObject::connect(&player, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QInputDialog*>(modal)) {
                prompts << box->labelText();
                box->setTextValue(QStringLiteral("  Anna  "));
                box->accept();
            } else if (auto* hs = qobject_cast<frmHighscore*>(modal)) {
                firstRows.push_back({hs->lblHName[1]->text(), hs->lblHScore[1]->text(),
                                     hs->lblHScore[11]->text()});
                modeLines << hs->lblMode->text();
                QTest::mouseClick(hs->cmdOK, Qt::LeftButton);
            }
        });
        player.start();
    }

    void TearDown() override
    {
        player.stop();
        w.reset();
        EXPECT_TRUE(errors.reports.empty())
            << "failure reported in " << qPrintable(errors.reports.front().procedure);
        services::resetSeams();
        widgets::resetSeams();
        platform::resetSeams();
        qputenv("TMPDIR", oldTmp);
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
    }

    // The about window settles the language before the main window loads.
    void startProgram()
    {
        Allgemein::settings().setSprache(1000);
        w = std::make_unique<frmTavoro>();
        w->resize(800, 600);
        w->Form_Load();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }

    void press(int k) { w->imgPuzz_MouseDown(static_cast<int16_t>(k), 1, 0, 5, 5); }
};

}  // namespace

TEST_F(SolvedGame, AsksTheNameShowsItFirstAndTheToolbarFindsItAfterARestart)
{
    startProgram();
    ASSERT_EQ(Allgemein::settings().Size(), 3);
    ASSERT_EQ(Allgemein::settings().Mode(), game::Mode::Swap);
    // A shuffle that leaves the picture whole would end at the first press.
    w->PicBut_Click(0);
    while (w->board.solved()) {
        w->Ende();
        w->PicBut_Click(0);
    }

    platform::seams().now = [] { return kStart.addSecs(7); };
    w->Timer1_Timer();

    // Swap each place's own piece into it.
    int moves = 0;
    for (int k = 0; k < 9 && !w->board.locked(); ++k) {
        if (w->imgPuzz(k)->Tag() == k + 1)
            continue;
        int j = k + 1;
        while (w->imgPuzz(j)->Tag() != k + 1)
            ++j;
        press(k);
        press(j);
        ++moves;
    }
    ASSERT_TRUE(w->board.locked());
    EXPECT_EQ(w->lblZugzahl->text(), QString::number(moves));

    EXPECT_EQ(prompts, QStringList{QStringLiteral("Please enter your name!\n\nRank 1: %1 moves in 7 "
                                                  "seconds")
                                       .arg(moves)});
    const Row expected = {"Anna", QString::number(moves), "7"};
    ASSERT_EQ(firstRows.size(), 1u);
    EXPECT_EQ(firstRows[0], expected);
    EXPECT_EQ(modeLines, QStringList{"Pieces: 3 x 3     Mode: Swap"});

    // The file: section m31 with ten keys, the result scrambled under "1".
    const profile::ProfileFile file = profile::ProfileFile::read(folder.filePath("Tavoro.hsc"));
    EXPECT_EQ(file.sections(), QStringList{"m31"});
    EXPECT_EQ(file.keys("m31").size(), 10);
    const QString entry = QStringLiteral("00007%1Anna").arg(moves, 5, 10, QLatin1Char('0'));
    EXPECT_EQ(file.value("m31", "1").value_or(QString()),
              QString::fromStdString(hscodec::conv(entry.toStdString(), "Tavoro")));

    // A restart, and the toolbar's champions button: the same list, no name asked.
    w.reset();
    g = SharedRecord{};
    Allgemein::settings() = Allgemein::Settings{};
    startProgram();
    w->PicBut_Click(8);
    EXPECT_EQ(prompts.size(), 1);
    ASSERT_EQ(firstRows.size(), 2u);
    EXPECT_EQ(firstRows[1], expected);
    EXPECT_EQ(file.bytes(), testsupport::readFile(folder.filePath("Tavoro.hsc")));
}
