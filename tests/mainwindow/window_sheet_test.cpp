// The pictures of the windows' contact sheet (tools/window_sheet.sh): every
// window of the game in one language, in the room's look, each grabbed into
// a PNG of its own for a person to look at. Off in the ordinary runs; the
// script runs it with --gtest_also_run_disabled_tests, TAVORO_SHEET_DIR
// naming the folder and TAVORO_SHEET_LANGUAGE the language ("de", "en",
// "sv", "it", "es" or "fr"). The folder gets 01.png, 02.png, ... and
// index.tsv: each picture's file name, a tab, and what it shows.

#include "champions/frmHighscore.h"
#include "champions/hscodec.h"
#include "dialogs/frmInfo.h"
#include "dialogs/frmPicAuswahl.h"
#include "dialogs/frmTapete.h"
#include "dialogs/help.h"
#include "dialogs/help_window.h"
#include "mainwindow/frmTavoro.h"
#include "platform/ansi.h"
#include "platform/locale.h"
#include "platform/maker.h"
#include "platform/profile.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/files.h"
#include "support/game_folders.h"
#include "support/room.h"
#include "widgets/room_look.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// The pictures taken so far and what each shows.
class Sheet {
public:
    explicit Sheet(QString folder) : folder_(std::move(folder)) {}
    ~Sheet() { EXPECT_TRUE(testsupport::writeFile(QDir(folder_).filePath("index.tsv"), index_)); }

    // The widget as it stands; a window's title goes beside its name.
    void add(QWidget* w, const QString& what)
    {
        const QString file = QStringLiteral("%1.png").arg(++count_, 2, 10, QLatin1Char('0'));
        EXPECT_TRUE(w->grab().save(QDir(folder_).filePath(file))) << qPrintable(what);
        QString label = what;
        if (w->isWindow() && !w->windowTitle().isEmpty())
            label += QStringLiteral(": \u201c%1\u201d").arg(w->windowTitle());
        index_ += (file + QLatin1Char('\t') + label + QLatin1Char('\n')).toUtf8();
    }

    // The modal window `open` shows, taken and then answered by `answer`
    // (closed when there is none).
    void addModal(const QString& what, const std::function<void()>& open,
                  const std::function<void(QWidget*)>& answer = {})
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            seen = true;
            add(box, what);
            if (answer)
                answer(box);
            else
                box->close();
        });
        open();
        EXPECT_TRUE(seen) << qPrintable(what);
    }

    // A pop-up menu as the player opens it.
    void addMenu(QMenu* menu, const QString& what)
    {
        menu->popup(QPoint(0, 0));
        add(menu, what);
        menu->hide();
    }

private:
    QString folder_;
    QByteArray index_;
    int count_ = 0;
};

// The game's value of a two-letter language code; nothing for another.
std::optional<int16_t> spracheOf(const QString& code)
{
    for (int16_t sprache : {0, 1000, 2000, 3000, 5000, 6000})
        if (userlocale::languageCode(sprache) == code)
            return sprache;
    return std::nullopt;
}

// A full list of 5 x 5 slide games, as Tavoro.hsc keeps it.
void storeFullList()
{
    const QStringList entries = {"0001000005Bob",  "0001000009Carl", "0002000003Dora",
                                 "0003000001Eve",  "0004000004Finn", "0005000005Gus",
                                 "0006000006Hal",  "0007000007Ida",  "0008000008Jon",
                                 "0009000009Kim"};
    for (int k = 1; k <= entries.size(); ++k) {
        const std::string scrambled =
            hscodec::conv(ansi::toAnsi(entries[k - 1]).toStdString(), "Tavoro");
        ASSERT_TRUE(profile::WritePrivateProfileString(QStringLiteral("m50"), QString::number(k),
                                                       QString::fromLatin1(scrambled),
                                                       frmHighscore::HscPath()));
    }
}

TEST(WindowSheet, DISABLED_EveryWindowInOneLanguage)
{
    const QString folder = qEnvironmentVariable("TAVORO_SHEET_DIR");
    const std::optional<int16_t> sprache = spracheOf(qEnvironmentVariable("TAVORO_SHEET_LANGUAGE"));
    ASSERT_FALSE(folder.isEmpty()) << "TAVORO_SHEET_DIR names no folder";
    ASSERT_TRUE(sprache) << "TAVORO_SHEET_LANGUAGE is none of de, en, sv, it, es, fr";
    ASSERT_TRUE(QDir().mkpath(folder));

    testsupport::GameFolders files;
    widgets::RoomLook roomLook;
    Allgemein::settings() = Allgemein::Settings{};
    Allgemein::settings().setSprache(*sprache);
    Sheet sheet(folder);
    auto& s = services::seams();

    {
        auto room = testsupport::openRoom();
        room->Sprache();
        room->resize(1280, 800);
        room->positionieren();
        room->show();
        sheet.add(room.get(), QStringLiteral("room"));
        sheet.addMenu(room->mnuOptionen, QStringLiteral("options menu"));
        sheet.addMenu(room->mnuTeile, QStringLiteral("pieces menu"));
        sheet.addMenu(room->mnuPlayMusic, QStringLiteral("music menu"));
        sheet.addMenu(room->mnuHilfe, QStringLiteral("help menu"));
        room->Start();
        room->pauseGame();
        sheet.add(room.get(), QStringLiteral("room, paused"));
        sheet.addModal(QStringLiteral("question"), [&] {
            s.askYesNo(room.get(), services::textOf(124), QStringLiteral("Tavoro"));
        });
        sheet.addModal(QStringLiteral("information"), [&] {
            s.tell(room.get(), services::textOf(241).arg(maker::homePage()));
        });
    }

    {
        frmPicAuswahl pictures;
        pictures.Form_Load();
        pictures.show();
        sheet.add(&pictures, QStringLiteral("picture window"));
        pictures.imgTab_Click(0);  // the tab of the player's own files
        sheet.add(&pictures, QStringLiteral("picture window, own pictures"));
    }
    {
        frmTapete wallpaper;
        wallpaper.Form_Load();
        wallpaper.show();
        sheet.add(&wallpaper, QStringLiteral("wallpaper window"));
    }

    {
        // A result after a solved game: the name prompt, answered with a
        // name of the full twenty characters, then the list it joins.
        storeFullList();
        Allgemein::settings().setSize(5);
        Allgemein::settings().setMode(game::Mode::Slide);
        frmHighscore champions(nullptr, QStringLiteral("0002000004"));
        sheet.addModal(
            QStringLiteral("name prompt"),
            [&] {
                champions.Form_Load();
                champions.Form_Activate();
            },
            [](QWidget* box) {
                if (auto* edit = box->findChild<QLineEdit*>())
                    edit->setText(QStringLiteral("Wolfgang-Maximilian!"));
                if (auto* dialog = qobject_cast<QDialog*>(box))
                    dialog->accept();
            });
        champions.HSScore.reset();
        champions.show();
        sheet.add(&champions, QStringLiteral("champions window"));
        sheet.addModal(QStringLiteral("question, No first"), [&] { champions.cmdDelHS_Click(); });
    }

    {
        const bool started = frmInfo::StartScreenShown;
        frmInfo::StartScreenShown = true;
        frmInfo about;
        about.Form_Load();
        about.show();
        sheet.add(&about, QStringLiteral("about box"));
        frmInfo::StartScreenShown = started;
    }

    QWidget owner;
    help::HtmlHelp(&owner, *sprache);
    help::HelpWindow* helpWindow = help::WindowOf(&owner);
    ASSERT_NE(helpWindow, nullptr);
    helpWindow->findBar()->show();
    sheet.add(helpWindow, QStringLiteral("help window"));

    g = SharedRecord{};
    Allgemein::settings() = Allgemein::Settings{};
}

}  // namespace
