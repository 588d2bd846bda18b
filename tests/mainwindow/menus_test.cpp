// The options and help menus: their entries and check marks, what each
// command changes and stores, the captions in every language, the shortcuts,
// and the toolbar buttons that pop the menus up.

#include "mainwindow/frmTavoro.h"
#include "mainwindow/menus.h"
#include "platform/mci.h"
#include "platform/qttranslations.h"
#include "platform/seams.h"
#include "services/media.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/game_folders.h"
#include "support/scripted_errors.h"
#include "widgets/seams.h"

#include <QAction>
#include <QFile>
#include <QMap>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>


namespace {

class Menus : public ::testing::Test {
protected:
    testsupport::ScriptedErrors errors;
    testsupport::GameFolders files;
    std::unique_ptr<frmTavoro> w;
    std::vector<QString> opened;                  // what the desktop was asked to open
    std::vector<std::pair<QWidget*, int16_t>> helps;
    std::vector<QWidget*> abouts;

    void SetUp() override
    {
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
        widgets::resetSeams();
        services::seams().PlayWAV = [](int16_t) {};
        widgets::seams().HtmlHelp = [this](QWidget* owner, int16_t sprache) { helps.emplace_back(owner, sprache); };
        widgets::seams().showAbout = [this](QWidget* owner) { abouts.push_back(owner); };
        platform::seams().openAddress = [this](const QString& a) {
            opened.push_back(a);
            return false;  // as on a desktop without a browser or mail program
        };
        Allgemein::resetMediaForTesting();
    }

    void TearDown() override
    {
        w.reset();
        mciSendString("close midi");
        Allgemein::setMusicTimerSwitch({});
        EXPECT_TRUE(errors.reports.empty())
            << "failure reported in " << qPrintable(errors.reports.front().procedure);
        platform::resetSeams();
        services::resetSeams();
        widgets::resetSeams();
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
    }

    void writeIni(const QByteArray& text) { ASSERT_TRUE(files.writeIni(text)); }
    QByteArray ini() const { return files.ini(); }

    void load()
    {
        w = std::make_unique<frmTavoro>();
        w->Form_Load();
    }

    // Loaded and laid out, as after the first showing.
    void loadAndLayOut()
    {
        load();
        w->resize(800, 600);
        w->positionieren();
    }

    std::vector<int> checkedSizes() const
    {
        std::vector<int> on;
        for (int i = 0; i < 6; ++i)
            if (w->mnuSize(i)->isChecked())
                on.push_back(i);
        return on;
    }

    std::vector<int> checkedMusic() const
    {
        std::vector<int> on;
        for (int i = 0; i < 3; ++i)
            if (w->mnuMusic(i)->isChecked())
                on.push_back(i);
        return on;
    }

    static bool trackOpen()
    {
        QString position;
        return mciSendString("status midi position", &position) == 0;
    }
};

QStringList texts(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("---") : a->text());
    return out;
}

}  // namespace

TEST_F(Menus, EntriesInTheirOrderWithFixedAndEnglishCaptions)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    Allgemein::settings().setSprache(1000);
    load();
    w->Sprache();
    EXPECT_EQ(texts(w->mnuOptionen), QStringList({"&Pieces", "---", "&Sound effects", "&Animated moves", "Pa&use", "&Hint", "S&olve", "U&ndo", "&Redo", "Play &music"}));
    EXPECT_EQ(texts(w->mnuTeile),
              QStringList({"&3 x 3", "&4 x 4", "&5 x 5", "&6 x 6", "&7 x 7", "&8 x 8"}));
    EXPECT_EQ(texts(w->mnuPlayMusic), QStringList({"O&ff", "&Once", "&Loop"}));
    EXPECT_EQ(texts(w->mnuHilfe), QStringList({"&Online help", "---", "Ostrafel's &Homepage...",
                                               "&E-Mail to Ostrafel...", "---", "&About..."}));
    EXPECT_EQ(w->mnuOptionen->title(), "Options");
    EXPECT_EQ(w->mnuHilfe->title(), "Help");
    EXPECT_EQ(w->mnuOnlinehilfe->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(w->mnuUeber->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
}

TEST_F(Menus, CaptionsAndQtsOwnTextsFollowTheLanguage)
{
    const struct {
        int16_t sprache;
        const char* pieces;
        const char* about;
        const char* off;
        const char* homepage;
        const char* qt;
    } cases[] = {
        {0, "&Teile", "&Über...", "&Keine", "&Homepage von Ostrafel...", "de"},
        {2000, "&Delar", "&Info...", "&Ingen", "Ostrafels &hemsida...", "sv"},
        {3000, "&Parti", "&Informazioni...", "&Nessuna", "&Homepage di Ostrafel...", "it"},
        {5000, "&Piezas", "&Acerca de...", "&Desactivada", "&Página web de Ostrafel...", "es"},
        {6000, "&Pièces", "À &propos...", "&Désactivée", "&Site web d'Ostrafel...", "fr"},
        {1000, "&Pieces", "&About...", "O&ff", "Ostrafel's &Homepage...", "en"},
    };
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    for (const auto& c : cases) {
        Allgemein::settings().setSprache(c.sprache);
        w->Form_Activate();
        EXPECT_EQ(w->mnuTeile->title(), QString::fromUtf8(c.pieces)) << c.sprache;
        EXPECT_EQ(w->mnuUeber->text(), QString::fromUtf8(c.about)) << c.sprache;
        EXPECT_EQ(w->mnuMusic(0)->text(), QString::fromUtf8(c.off)) << c.sprache;
        EXPECT_EQ(w->mnuHomepage->text(), QString::fromUtf8(c.homepage)) << c.sprache;
        // The size entries keep their captions.
        EXPECT_EQ(w->mnuSize(4)->text(), "&7 x 7");
        EXPECT_EQ(qttranslations::current(), c.qt);
    }
}

// The access key of a caption: the character after its one '&' ("&&" is a
// plain '&'); none when it has no or several.
QChar accessKey(const QString& caption)
{
    QChar key;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        if (!key.isNull())
            return {};
        key = caption[i + 1].toCaseFolded();
    }
    return key;
}

// In every language each entry of each menu has an access key of its own.
TEST_F(Menus, EveryEntryHasAnAccessKeyOfItsOwnInEveryLanguage)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    for (int16_t sprache : {0, 1000, 2000, 3000, 5000, 6000}) {
        Allgemein::settings().setSprache(sprache);
        w->Form_Activate();
        for (const QMenu* menu : {w->mnuOptionen, w->mnuTeile, w->mnuPlayMusic, w->mnuHilfe}) {
            QMap<QChar, QString> taken;
            for (const QAction* a : menu->actions()) {
                if (a->isSeparator())
                    continue;
                const QChar key = accessKey(a->text());
                SCOPED_TRACE(QStringLiteral("%1: %2").arg(sprache).arg(a->text()).toStdString());
                EXPECT_FALSE(key.isNull()) << "no single access key";
                EXPECT_FALSE(taken.contains(key)) << "key taken by " << taken.value(key).toStdString();
                taken.insert(key, a->text());
            }
        }
    }
}

TEST_F(Menus, QtsDialogButtonsSpeakTheGamesLanguage)
{
    const struct {
        int16_t sprache;
        const char* yes;
        const char* cancel;
    } cases[] = {
        {0, "&Ja", "Abbrechen"},   {2000, "&Ja", "Avbryt"},  {3000, "&Sì", "Annulla"},
        {5000, "&Sí", "Cancelar"}, {6000, "&Oui", "Annuler"}, {1000, "&Yes", "Cancel"},
    };
    for (const auto& c : cases) {
        qttranslations::apply(c.sprache);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8(c.yes))
            << c.sprache;
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                  QString::fromUtf8(c.cancel))
            << c.sprache;
    }
}

TEST_F(Menus, SizeEntriesStartANewGameAndStoreTheSize)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    loadAndLayOut();
    EXPECT_EQ(checkedSizes(), std::vector<int>({2}));  // the stored default 5 x 5
    w->Start();
    ASSERT_FALSE(w->board.locked());

    // "&7 x 7" during a game: a new 7 x 7 game at once, 7 stored, the mark moves.
    w->mnuSize(4)->trigger();
    EXPECT_EQ(Allgemein::settings().Size(), 7);
    EXPECT_EQ(w->board.size(), 7);
    EXPECT_TRUE(w->board.locked());
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_TRUE(ini().contains("Size=7\r\n"));
    EXPECT_EQ(checkedSizes(), std::vector<int>({4}));

    // The entry already checked still starts a new game.
    w->Start();
    w->mnuSize(4)->trigger();
    EXPECT_TRUE(w->board.locked());
    EXPECT_EQ(checkedSizes(), std::vector<int>({4}));

    w->mnuSize_Click(0);
    EXPECT_EQ(w->board.size(), 3);
    EXPECT_TRUE(ini().contains("Size=3\r\n"));
}

TEST_F(Menus, StoredValuesWithoutAnEntryAreReportedAtTheCheckMark)
{
    writeIni("[Optionen]\r\nSize=9\r\nPlayMusic=7\r\n");
    errors.fallback = errors::Ignore;
    loadAndLayOut();
    ASSERT_EQ(errors.reports.size(), 2u);
    EXPECT_EQ(errors.reports[0].object, "frmTavoro");
    EXPECT_EQ(errors.reports[0].procedure, "mnuSize_Click");
    EXPECT_EQ(errors.reports[0].failure.line, 50010);
    EXPECT_EQ(errors.reports[0].failure.number, 340);
    EXPECT_EQ(errors.reports[1].procedure, "mnuMusic_Click");
    EXPECT_EQ(errors.reports[1].failure.line, 50030);
    errors.reports.clear();
    // Neither reaches the board: the defaults take their places, with their
    // check marks, and are stored, so the next start is clean.
    EXPECT_EQ(w->board.size(), 5);
    EXPECT_TRUE(ini().contains("Size=5\r\n"));
    EXPECT_TRUE(ini().contains("PlayMusic=1\r\n"));
    EXPECT_TRUE(w->mnuSize(2)->isChecked());
    EXPECT_TRUE(w->mnuMusic(1)->isChecked());
    loadAndLayOut();
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(Menus, SoundEffectsToggledTwiceEndWhereTheyStarted)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    emit w->mnuOptionen->aboutToShow();
    EXPECT_TRUE(w->mnuPlaySounds->isChecked());
    w->mnuPlaySounds->trigger();
    EXPECT_EQ(Allgemein::settings().value(Allgemein::Setting::PlaySound), 0);
    EXPECT_FALSE(w->mnuPlaySounds->isChecked());
    EXPECT_TRUE(ini().contains("PlaySound=0\r\n"));
    w->mnuPlaySounds->trigger();
    EXPECT_EQ(Allgemein::settings().value(Allgemein::Setting::PlaySound), -1);
    EXPECT_TRUE(w->mnuPlaySounds->isChecked());
    EXPECT_TRUE(ini().contains("PlaySound=-1\r\n"));

    // A stored "off" shows as no check mark when the menu opens.
    writeIni("[Optionen]\r\nPlayMusic=0\r\nPlaySound=0\r\n");
    load();
    emit w->mnuOptionen->aboutToShow();
    EXPECT_FALSE(w->mnuPlaySounds->isChecked());
}

TEST_F(Menus, MusicModesSetTheFlagsAndStartNothingWhileInvisible)
{
    const struct {
        int16_t index;
        bool on, endless;
    } cases[] = {{1, true, false}, {2, true, true}, {0, false, false}};
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    for (const auto& c : cases) {
        w->mnuMusic(c.index)->trigger();
        EXPECT_EQ(Allgemein::settings().MusicOn(), c.on) << c.index;
        EXPECT_EQ(Allgemein::settings().MusicEndless(), c.endless) << c.index;
        EXPECT_EQ(checkedMusic(), std::vector<int>({c.index}));
        EXPECT_TRUE(ini().contains("PlayMusic=" + QByteArray::number(c.index) + "\r\n"));
        EXPECT_EQ(Allgemein::lastTrack(), 0) << "no track before the window is active";
    }
    // Once chosen while invisible: the track starts when the window becomes active.
    w->mnuMusic_Click(1);
    w->Form_Activate();
    EXPECT_NE(Allgemein::lastTrack(), 0);
    EXPECT_TRUE(trackOpen());
}

TEST_F(Menus, MusicOffClosesTheTrackOnceAndThenSendsNothing)
{
    writeIni("[Optionen]\r\nPlayMusic=2\r\n");
    load();
    w->Form_Activate();
    ASSERT_TRUE(trackOpen());
    ASSERT_TRUE(w->Timer2->isActive());

    w->mnuMusic_Click(0);
    EXPECT_FALSE(trackOpen());
    EXPECT_FALSE(w->Timer2->isActive());

    // Off again while off sends no command: a track opened by someone else
    // stays open.
    ASSERT_EQ(mciSendString("open sequencer!" + Allgemein::musicFilePath() + " alias midi"), 0);
    w->mnuMusic_Click(0);
    EXPECT_TRUE(trackOpen());
}

TEST_F(Menus, MusicChosenWhileVisibleStartsATrack)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    w->show();
    w->mnuMusic_Click(2);
    EXPECT_NE(Allgemein::lastTrack(), 0);
    EXPECT_TRUE(w->Timer2->isActive());
    // Once, with the track still open: it plays on, the watch is no longer needed.
    w->mnuMusic_Click(1);
    EXPECT_TRUE(trackOpen());
    EXPECT_FALSE(Allgemein::settings().MusicEndless());
}

TEST_F(Menus, HelpHomePageMailAndAbout)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    Allgemein::settings().setSprache(3000);
    w->mnuOnlinehilfe->trigger();
    ASSERT_EQ(helps.size(), 1u);
    EXPECT_EQ(helps[0].first, w.get());
    EXPECT_EQ(helps[0].second, 3000);

    // Nothing opens them here: the player is told so, in the game's language.
    QStringList told;
    services::seams().tell = [&](QWidget*, const QString& text) { told << text; };
    w->mnuHomepage->trigger();
    w->mnuEMail->trigger();
    EXPECT_EQ(opened, std::vector<QString>({"https://www.tavoro.example/",
                                            "mailto:service@tavoro.example?Subject=Tavoro"}));
    EXPECT_EQ(told, QStringList({"Nessun programma trovato per aprire https://www.tavoro.example/.",
                                 "Nessun programma trovato per aprire service@tavoro.example."}));
    // A desktop that takes them says nothing more.
    platform::seams().openAddress = [this](const QString& a) { opened.push_back(a); return true; };
    w->mnuHomepage->trigger();
    EXPECT_EQ(told.size(), 2);
    EXPECT_EQ(mainwindow::mailTarget(), "mailto:service@tavoro.example?Subject=Tavoro");

    w->mnuUeber->trigger();
    EXPECT_EQ(abouts, std::vector<QWidget*>({w.get()}));
}

TEST_F(Menus, ABuildWithoutTheMakersAddressesHidesTheirEntries)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    const struct {
        std::optional<QString> homePage, supportEmail;
        bool homePageShown, mailShown, separatorShown;
    } cases[] = {
        {std::nullopt, std::nullopt, true, true, true},  // the build's own
        {"", "service@tavoro.example", false, true, true},
        {"https://www.tavoro.example/", "", true, false, true},
        {"", " ", false, false, false},
    };
    for (const auto& c : cases) {
        platform::seams().homePage = c.homePage;
        platform::seams().supportEmail = c.supportEmail;
        load();
        const QString which = c.homePage.value_or("build") + " / " + c.supportEmail.value_or("build");
        EXPECT_EQ(w->mnuHomepage->isVisible(), c.homePageShown) << qPrintable(which);
        EXPECT_EQ(w->mnuEMail->isVisible(), c.mailShown) << qPrintable(which);
        EXPECT_EQ(w->mnuBar6->isVisible(), c.separatorShown) << qPrintable(which);
        EXPECT_TRUE(w->mnuOnlinehilfe->isVisible());
        EXPECT_TRUE(w->mnuUeber->isVisible());
    }
}

TEST_F(Menus, F1AndCtrlF1WorkAnywhereInTheWindow)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    w->resize(800, 600);
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w->PicBut(3), Qt::Key_F1);
    EXPECT_EQ(helps.size(), 1u);
    QTest::keyClick(w.get(), Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(abouts.size(), 1u);
}

TEST_F(Menus, ToolbarButtonsSevenAndNinePopUpTheMenus)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    w->PicBut_Click(7);
    EXPECT_TRUE(w->mnuOptionen->isVisible());
    w->mnuOptionen->close();
    w->PicBut_Click(9);
    EXPECT_TRUE(w->mnuHilfe->isVisible());
    w->mnuHilfe->close();
    EXPECT_FALSE(w->mnuOptionen->isVisible());
}
