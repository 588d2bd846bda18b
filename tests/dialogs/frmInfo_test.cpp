// The about window in its two uses: the start screen that hands over to the
// main window, and the about box with its OK button, home page and French flag.

#include "dialogs/frmInfo.h"
#include "mainwindow/frmTavoro.h"
#include "platform/appinfo.h"
#include "platform/seams.h"
#include "services/language.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/game_folders.h"
#include "support/scripted_errors.h"
#include "widgets/seams.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Notes every time the watched widget is shown.
class ShowCounter : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

class AboutWindow : public ::testing::Test {
protected:
    testsupport::ScriptedErrors errors;
    testsupport::GameFolders files;
    std::vector<QString> opened;

    void SetUp() override
    {
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
        frmInfo::StartScreenShown = false;
        services::seams().startMemoryFile = files.temp.filePath("started.ini");
        widgets::resetSeams();
        platform::seams().openAddress = [this](const QString& a) {
            opened.push_back(a);
            return false;
        };
    }

    void TearDown() override
    {
        EXPECT_TRUE(errors.reports.empty())
            << "failure reported in " << qPrintable(errors.reports.front().procedure);
        frmInfo::setMainWindow({});
        frmInfo::StartScreenShown = false;
        platform::resetSeams();
        widgets::resetSeams();
        services::resetSeams();
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
    }

    QByteArray ini() const { return files.ini(); }
};

}  // namespace

TEST(VersionLine, TitleTwoBlanksAndTheVersionAsEverywhereElse)
{
    const struct {
        int major, minor, revision;
        const char* line;
    } cases[] = {
        {2, 20, 341, "Tavoro  2.20.341"},
        {1, 0, 0, "Tavoro  1.0.0"},
        {3, 5, 7, "Tavoro  3.5.7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dialogs::versionLine("Tavoro", c.major, c.minor, c.revision), c.line);
    EXPECT_EQ(dialogs::versionLine(appinfo::title(), appinfo::versionMajor(),
                                   appinfo::versionMinor(), appinfo::versionRevision()),
              "Tavoro  " + appinfo::versionText());
}

TEST_F(AboutWindow, TheStartScreenComesOverThePaintedRoomAndFadesOut)
{
    // The start screen settles the language, loads and shows the main window,
    // and comes over it once the room has been painted (or at once, without
    // word of the painting); it stays a moment to be seen, then fades out,
    // closes and is destroyed. Nothing holds the room back: no busy cursor.
    // A room painted seconds later gets no start screen.
    enum class Paint { Told, ToldLate, NotTold };
    for (const Paint paint : {Paint::Told, Paint::ToldLate, Paint::NotTold}) {
        SCOPED_TRACE(int(paint));
        frmInfo::StartScreenShown = false;
        std::unique_ptr<QWidget> main;
        std::vector<std::string> steps;
        std::function<void()> painted;
        ShowCounter okShows;
        QFile::remove(Allgemein::LanguageFile());
        const auto startScreen = [] {
            QPointer<frmInfo> found;
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* info = qobject_cast<frmInfo*>(top); info && !info->isHidden())
                    found = info;
            return found;
        };
        const auto anyStartScreen = [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (qobject_cast<frmInfo*>(top))
                    return true;
            return false;
        };
        frmInfo::MainWindow hooks{
            [&]() -> QWidget* {
                steps.push_back("load");
                EXPECT_FALSE(startScreen());
                EXPECT_TRUE(QFile::exists(Allgemein::LanguageFile()));
                main = std::make_unique<QWidget>();
                return main.get();
            },
            [&](QWidget& w) {
                steps.push_back("show");
                EXPECT_EQ(&w, main.get());
                EXPECT_TRUE(frmInfo::StartScreenShown);
                w.show();
            },
            {},
        };
        if (paint != Paint::NotTold)
            hooks.afterFirstPaint = [&](QWidget& w, std::function<void()> then) {
                steps.push_back("after paint");
                EXPECT_EQ(&w, main.get());
                painted = std::move(then);
            };
        frmInfo::setMainWindow(hooks);
        frmInfo::showStartScreen();
        if (paint == Paint::NotTold) {
            EXPECT_EQ(steps, std::vector<std::string>({"load", "show"}));
        } else {
            EXPECT_EQ(steps, std::vector<std::string>({"load", "show", "after paint"}));
            EXPECT_FALSE(startScreen());
            ASSERT_TRUE(painted);
            if (paint == Paint::ToldLate)
                QTest::qWait(frmInfo::kStartScreenLatest + 100);
            painted();
        }
        EXPECT_TRUE(main->isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        if (paint == Paint::ToldLate) {
            EXPECT_FALSE(startScreen());
            QTRY_VERIFY(!anyStartScreen());
            continue;
        }
        QPointer<frmInfo> screen = startScreen();
        ASSERT_TRUE(screen);
        EXPECT_TRUE(screen->testAttribute(Qt::WA_ShowWithoutActivating));
        EXPECT_FALSE(screen->ok->isVisible());
        screen->ok->installEventFilter(&okShows);
        EXPECT_EQ(screen->Label(0)->text(), "Tavoro  1.0.0");
        QTRY_VERIFY_WITH_TIMEOUT(screen.isNull(), 10 * frmInfo::kStartScreenShortest);
        EXPECT_EQ(okShows.shows, 0);
    }
}

TEST_F(AboutWindow, TheAboutBoxShowsOKAndItsLinkOpensTheHomePage)
{
    frmInfo::StartScreenShown = true;
    QFile::remove(Allgemein::LanguageFile());
    frmInfo w;
    w.Form_Load();
    EXPECT_TRUE(w.ok->isVisibleTo(&w));
    EXPECT_EQ(w.Label(0)->text(), "Tavoro  1.0.0");
    EXPECT_TRUE(QFile::exists(Allgemein::LanguageFile()));
    EXPECT_EQ(w.imgLang(6)->toolTip(), "Français");
    EXPECT_EQ(w.lblHomepage->text(), "https://www.tavoro.example/");
    EXPECT_TRUE(w.lblHomepage->isVisibleTo(&w));
    // Nothing opens it here: the player is told so.
    QStringList told;
    services::seams().tell = [&](QWidget*, const QString& text) { told << text; };
    QTest::mouseClick(w.lblHomepage, Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<QString>({"https://www.tavoro.example/"}));
    EXPECT_EQ(told, QStringList{"No program was found to open https://www.tavoro.example/."});
}

TEST_F(AboutWindow, ABuildWithoutAHomePageShowsNoLink)
{
    frmInfo::StartScreenShown = true;
    platform::seams().homePage = QStringLiteral("  ");
    frmInfo w;
    w.Form_Load();
    EXPECT_FALSE(w.lblHomepage->isVisibleTo(&w));
    EXPECT_TRUE(w.ok->isVisibleTo(&w));
}

TEST_F(AboutWindow, FrenchChosenInTheAboutBoxReachesTheMainWindow)
{
    // A later start in English.
    Allgemein::RememberStart();
    ASSERT_TRUE(files.writeIni("[Optionen]\r\nSprache=1000\r\nPlayMusic=0\r\n"));
    Allgemein::ChooseStartLanguage();
    frmTavoro main;
    main.Form_Load();
    main.Form_Activate();
    ASSERT_EQ(main.lblZuege->text(), "Moves");

    // The about box from the menu entry, with the real window (as the program
    // wires it): French, then OK.
    widgets::seams().showAbout = [](QWidget* owner) { frmInfo::showAboutBox(owner); };
    frmInfo::StartScreenShown = true;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<frmInfo*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->ok->isVisible());
        QTest::mouseClick(box->imgLang(6), Qt::LeftButton);
        box->ok->click();
    });
    main.mnuUeber_Click();
    EXPECT_EQ(Allgemein::settings().Sprache(), 6000);
    EXPECT_TRUE(ini().contains("Sprache=6000\r\n"));
    // Still English until the main window is active again.
    EXPECT_EQ(main.lblZuege->text(), "Moves");
    main.Form_Activate();
    EXPECT_EQ(main.lblZuege->text(), "Mouvements");
    EXPECT_EQ(main.mnuUeber->text(), QString::fromUtf8("À &propos..."));
}

TEST_F(AboutWindow, TheFlagOfTheLanguageInUseStoresNothing)
{
    frmInfo::StartScreenShown = true;
    frmInfo w;
    Allgemein::settings().setSprache(6000);
    w.imgLang_Click(6);
    EXPECT_FALSE(QFile::exists(files.iniPath()));
    EXPECT_EQ(Allgemein::settings().Sprache(), 6000);
}

TEST_F(AboutWindow, TheLicenceStandsInTheLanguageInUseAndFits)
{
    Allgemein::RememberStart();
    frmInfo::StartScreenShown = true;
    const struct { const char* sprache; const char* code; const char* media; } cases[] = {
        {"1000", "Free software under the GNU GPL 3 or later;",
         "pictures, music, sounds and help: CC BY-SA 4.0."},
        {"0", "Freie Software unter der GNU GPL 3 oder neuer;",
         "Bilder, Musik, Klänge und Hilfe: CC BY-SA 4.0."},
        {"6000", "Logiciel libre sous la GNU GPL 3 ou ultérieure ;",
         "images, musique, sons et aide : CC BY-SA 4.0."},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(files.writeIni(QByteArray("[Optionen]\r\nSprache=") + c.sprache + "\r\n"));
        frmInfo w;
        w.Form_Load();
        EXPECT_EQ(w.lblLicence[0]->text(), QString::fromUtf8(c.code));
        EXPECT_EQ(w.lblLicence[1]->text(), QString::fromUtf8(c.media));
        for (QLabel* line : w.lblLicence) {
            EXPECT_LE(line->fontMetrics().horizontalAdvance(line->text()), line->width())
                << c.sprache;
            EXPECT_LE(line->geometry().right(), w.ok->geometry().left());
        }
    }
}
