// The main window's start-up, activation and closing: the settings it reads,
// the language it applies, the music it starts and stops.
#include "mainwindow/frmTavoro.h"
#include "platform/mci.h"
#include "platform/seams.h"
#include "services/language.h"
#include "services/media.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/files.h"
#include "support/main_window_services.h"
#include "support/scripted_errors.h"
#include "support/window_env.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

class MainWindowLife : public ::testing::Test {
protected:
    testsupport::ScriptedErrors errors;
    QTemporaryDir folder;  // the program's folder
    QTemporaryDir temp;    // the user's temporary folder
    QByteArray oldTmp = qgetenv("TMPDIR");
    std::unique_ptr<frmTavoro> w;

    void SetUp() override
    {
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        platform::seams().programFolder = folder.path();
        // The real language table, written where this test's lookups read it.
        services::seams().languageFile = temp.filePath("~tmp.lng");
        Allgemein::WriteLanguageFile();
        testsupport::useTestServices();
    }

    void TearDown() override
    {
        w.reset();
        testsupport::restoreServices();
        EXPECT_TRUE(errors.reports.empty())
            << "failure reported in " << qPrintable(errors.reports.front().procedure) << ": "
            << qPrintable(errors.reports.front().failure.description);
        platform::resetSeams();
        qputenv("TMPDIR", oldTmp);
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
    }

    void writeIni(const QByteArray& text)
    {
        ASSERT_TRUE(testsupport::writeFile(folder.filePath("Tavoro.ini"), text));
    }

    QByteArray ini()
    {
        return testsupport::readFile(folder.filePath("Tavoro.ini"));
    }

    void writePicture(const QString& name, QSize size)
    {
        QDir(folder.path()).mkpath("pics");
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        ASSERT_TRUE(img.save(folder.filePath("pics/" + name)));
    }

    void load()
    {
        w = std::make_unique<frmTavoro>();
        w->Form_Load();
        // An own picture is read on the worker.
        ASSERT_TRUE(testsupport::waitForPictures());
    }
};

}  // namespace

TEST_F(MainWindowLife, WithoutASettingsFileTheDefaultsApply)
{
    load();
    EXPECT_EQ(Allgemein::settings().Size(), 5);
    EXPECT_EQ(Allgemein::settings().Mode(), game::Mode::Slide);
    EXPECT_EQ(Allgemein::settings().value(Allgemein::Setting::PlaySound), -1);
    EXPECT_EQ(Allgemein::settings().Background(), 101);
    EXPECT_EQ(Allgemein::settings().Album(), 0);
    EXPECT_EQ(Allgemein::settings().Picture(), 101);
    EXPECT_TRUE(Allgemein::settings().MusicOn());
    EXPECT_FALSE(Allgemein::settings().MusicEndless());
    EXPECT_EQ(w->PicClip1.Picture().size(), resources::loadBitmap(201).size());
    EXPECT_TRUE(w->board.locked());
    EXPECT_FALSE(w->Timer2->isActive());  // no music before the window is active
    // The size and music commands store what they applied.
    EXPECT_TRUE(ini().contains("Size=5\r\n"));
    EXPECT_TRUE(ini().contains("PlayMusic=1\r\n"));
}

TEST_F(MainWindowLife, StoredSettingsAndAPictureFile)
{
    writePicture("mine.jpg", QSize(120, 90));
    writeIni("[Optionen]\r\nSize=7\r\nMode=1\r\nPlaySound=0\r\nPlayMusic=2\r\n"
             "[Pictures]\r\nAlbum=1\r\nFile=mine.jpg\r\nBackground=110\r\n");
    load();
    EXPECT_EQ(Allgemein::settings().Size(), 7);
    EXPECT_EQ(Allgemein::settings().Mode(), game::Mode::Swap);
    EXPECT_EQ(Allgemein::settings().value(Allgemein::Setting::PlaySound), 0);
    EXPECT_TRUE(Allgemein::settings().MusicOn());
    EXPECT_TRUE(Allgemein::settings().MusicEndless());
    EXPECT_EQ(Allgemein::settings().Background(), 110);
    EXPECT_EQ(Allgemein::settings().Album(), 1);
    EXPECT_EQ(w->PictureFile, folder.filePath("pics/mine.jpg"));
    EXPECT_EQ(w->PicClip1.Picture().size(), QSize(90, 90));  // its middle square
}

TEST_F(MainWindowLife, AMissingPictureFileFallsBackOnTheFirstPicture)
{
    writeIni("[Pictures]\r\nAlbum=1\r\nPicture=105\r\nFile=gone.bmp\r\n");
    load();
    EXPECT_EQ(Allgemein::settings().Album(), 0);
    EXPECT_EQ(Allgemein::settings().Picture(), 101);
    EXPECT_EQ(w->PicClip1.Picture().size(), resources::loadBitmap(201).size());
    // The settings keep what they said.
    EXPECT_TRUE(ini().contains("Album=1\r\n"));
    EXPECT_TRUE(ini().contains("File=gone.bmp\r\n"));
}

// Bad stored values must not wreck every later start: each is reported once,
// whatever the answer the rest is read, and its default is used and stored.
TEST_F(MainWindowLife, BadStoredSettingsAreReportedOnceAndReplacedByTheirDefaults)
{
    const QByteArray bad = "[Optionen]\r\nSize=99\r\nMode=7\r\nPlaySound=1\r\nPlayMusic=3\r\n"
                           "[Pictures]\r\nAlbum=2\r\nPicture=-5\r\nBackground=999\r\n";
    for (int16_t answer : {errors::Cancel, errors::Ignore, errors::Retry}) {
        writeIni(bad);
        // A Retry reads the file again: it still holds the bad value, so the
        // second answer (Cancel) settles it.
        if (answer == errors::Retry)
            errors.answers = {errors::Retry, errors::Cancel, errors::Retry, errors::Cancel,
                              errors::Retry, errors::Cancel, errors::Retry, errors::Cancel,
                              errors::Retry, errors::Cancel, errors::Retry, errors::Cancel,
                              errors::Retry, errors::Cancel};
        errors.fallback = answer;
        load();
        const size_t perSetting = answer == errors::Retry ? 2 : 1;
        ASSERT_EQ(errors.reports.size(), 7 * perSetting) << answer;
        QStringList keys;
        // Size and music mode are reported by their menu commands where they
        // put the check mark; the others where they are read.
        for (const auto& r : errors.reports) {
            if (r.procedure == "GetIniSetting") {
                EXPECT_EQ(r.object, "Allgemein");
                EXPECT_EQ(r.failure.number, 380);
                keys << r.failure.description.section(' ', 4, 4).section('=', 0, 0);
            } else {
                EXPECT_EQ(r.object, "frmTavoro");
                EXPECT_EQ(r.failure.number, 340);
                keys << r.procedure;
            }
        }
        keys.removeDuplicates();
        EXPECT_EQ(keys, (QStringList{"Album", "Picture", "mnuSize_Click", "mnuMusic_Click",
                                     "PlaySound", "Mode", "Background"}));
        errors.reports.clear();
        EXPECT_EQ(Allgemein::settings().Size(), 5);
        EXPECT_EQ(Allgemein::settings().Mode(), game::Mode::Slide);
        EXPECT_EQ(Allgemein::settings().value(Allgemein::Setting::PlaySound), -1);
        EXPECT_TRUE(Allgemein::settings().MusicOn());
        EXPECT_FALSE(Allgemein::settings().MusicEndless());
        EXPECT_EQ(Allgemein::settings().Album(), 0);
        EXPECT_EQ(Allgemein::settings().Picture(), 101);
        EXPECT_EQ(Allgemein::settings().Background(), 101);
        EXPECT_EQ(w->PicClip1.Picture().size(), resources::loadBitmap(201).size());
        EXPECT_EQ(ini(), "[Optionen]\r\nSize=5\r\nMode=0\r\nPlaySound=-1\r\nPlayMusic=1\r\n"
                         "[Pictures]\r\nAlbum=0\r\nPicture=101\r\nBackground=101\r\n");

        // The next start is clean.
        load();
        EXPECT_TRUE(errors.reports.empty());
        errors.answers.clear();
    }
}

TEST_F(MainWindowLife, TextAndHugeNumbersAreBadValuesToo)
{
    writeIni("[Optionen]\r\nSize=abc\r\nMode=4294967297\r\n");
    load();
    // Size, reported by the size command where it puts the check mark; Mode
    // reads 1 as Windows reads it.
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].procedure, "mnuSize_Click");
    errors.reports.clear();
    EXPECT_EQ(Allgemein::settings().Size(), 5);
    EXPECT_EQ(Allgemein::settings().Mode(), game::Mode::Swap);
    EXPECT_TRUE(ini().contains("Size=5\r\n"));
}

TEST_F(MainWindowLife, AFileThatIsNoPictureFallsBackOnTheFirstPicture)
{
    QDir(folder.path()).mkpath("pics");
    ASSERT_TRUE(testsupport::writeFile(folder.filePath("pics/broken.jpg"), "no picture"));
    writeIni("[Pictures]\r\nAlbum=1\r\nFile=broken.jpg\r\n");
    load();
    EXPECT_EQ(Allgemein::settings().Album(), 0);
    EXPECT_EQ(Allgemein::settings().Picture(), 101);
    EXPECT_EQ(w->PicClip1.Picture().size(), resources::loadBitmap(201).size());
    EXPECT_EQ(w->imgPreview->Picture().size(), resources::loadBitmap(201).size());
}

TEST_F(MainWindowLife, AllPiecesExistFromTheStart)
{
    frmTavoro window;
    for (int k = 0; k < 64; ++k)
        EXPECT_NE(window.imgPuzz(k), nullptr);
}

TEST_F(MainWindowLife, ActivationAppliesTheStoredLanguage)
{
    const struct {
        int16_t sprache;
        const char* moves;
        const char* startTip;
    } cases[] = {
        {0, "Züge", "Spiel starten"},
        {1000, "Moves", "Start game"},
        {5000, "Movimientos", "Comenzar juego"},
        {6000, "Mouvements", "Démarrer une partie"},
    };
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    for (const auto& c : cases) {
        Allgemein::settings().setSprache(c.sprache);
        w->Form_Activate();
        EXPECT_EQ(w->lblZuege->text(), QString::fromUtf8(c.moves)) << c.sprache;
        EXPECT_EQ(w->PicBut(0)->toolTip(), QString::fromUtf8(c.startTip)) << c.sprache;
        EXPECT_TRUE(ini().contains("Sprache=" + QByteArray::number(c.sprache) + "\r\n"));
    }
    // A digit without a language keeps the texts.
    Allgemein::settings().setSprache(4000);
    w->Form_Activate();
    EXPECT_EQ(w->lblZuege->text(), "Mouvements");
}

TEST_F(MainWindowLife, ModeAndLanguageButtonsStoreTheirChoice)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    w->PicBut_Click(6);
    EXPECT_EQ(Allgemein::settings().Mode(), game::Mode::Swap);
    EXPECT_TRUE(ini().contains("Mode=1\r\n"));
    w->PicBut_Click(5);
    EXPECT_EQ(Allgemein::settings().Mode(), game::Mode::Slide);
    EXPECT_TRUE(ini().contains("Mode=0\r\n"));
    w->PicBut_Click(14);
    EXPECT_EQ(Allgemein::settings().Sprache(), 5000);
    EXPECT_EQ(w->PicBut(1)->toolTip(), "Terminar juego");
    EXPECT_TRUE(ini().contains("Sprache=5000\r\n"));
    w->PicBut_Click(16);
    EXPECT_EQ(Allgemein::settings().Sprache(), 6000);
    w->PicBut_Click(15);  // there is no button 15
    EXPECT_EQ(Allgemein::settings().Sprache(), 6000);
}

TEST_F(MainWindowLife, MusicStartsWhenActiveAndStopsWithTheWindow)
{
    writeIni("[Optionen]\r\nPlayMusic=2\r\n");
    load();
    EXPECT_EQ(Allgemein::lastTrack(), 0);
    w->Form_Activate();
    EXPECT_GE(Allgemein::lastTrack(), 1001);
    EXPECT_LE(Allgemein::lastTrack(), 1006);
    EXPECT_TRUE(w->Timer2->isActive());  // endless: the watch runs
    QString position;
    EXPECT_EQ(mciSendString("status midi position", &position), 0);

    w->Form_Unload();
    EXPECT_FALSE(w->Timer2->isActive());
    EXPECT_NE(mciSendString("status midi position", &position), 0);  // closed
    EXPECT_FALSE(QFile::exists(Allgemein::LanguageFile()));
}

TEST_F(MainWindowLife, WithMusicOffClosingLeavesTheLanguageFile)
{
    writeIni("[Optionen]\r\nPlayMusic=0\r\n");
    load();
    w->Form_Activate();
    EXPECT_EQ(Allgemein::lastTrack(), 0);
    w->Form_Unload();
    EXPECT_TRUE(QFile::exists(Allgemein::LanguageFile()));
}

TEST_F(MainWindowLife, NoTimerRunsWhileNothingHappens)
{
    // Music off, or a track played once: after the start nothing polls.
    for (const char* music : {"0", "1"}) {
        SCOPED_TRACE(music);
        mciSendString("close midi");
        writeIni(QByteArray("[Optionen]\r\nPlayMusic=") + music + "\r\n");
        load();
        w->Form_Activate();
        for (const QTimer* t : w->findChildren<QTimer*>())
            EXPECT_FALSE(t->isActive()) << qPrintable(t->objectName());
    }
}

TEST_F(MainWindowLife, APressWhileTheMusicLoadsIsAnsweredAtOnce)
{
    writeIni("[Optionen]\r\nPlayMusic=1\r\nSize=4\r\n");
    load();
    w->Form_Activate();  // the worker now makes the track ready
    w->FirstResetDone = true;
    w->NewGame();
    w->Start();
    const int16_t e = w->board.emptyPlace();
    const int16_t k = e % 4 > 0 ? e - 1 : e + 1;
    w->imgPuzz_MouseDown(k, 1, 0, 10, 10);
    EXPECT_EQ(w->board.emptyPlace(), k);
    EXPECT_EQ(w->lblZugzahl->text(), "1");
}
