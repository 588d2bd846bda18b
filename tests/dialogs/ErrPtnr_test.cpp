#include "dialogs/ErrPtnr.h"
#include "platform/ansi.h"
#include "platform/appinfo.h"
#include "platform/maker.h"
#include "platform/seams.h"
#include "platform/twips.h"
#include "services/seams.h"
#include "support/files.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>

using errors::ErrPtnr;

namespace {

const QString Sep(70, '-');
const QDateTime When(QDate(2024, 3, 7), QTime(14, 5, 9));
const osversion::SystemFacts System{"Linux", 6, 1, 0, "Debian GNU/Linux 12 (bookworm)"};

// A program folder of its own, the executable named Tavoro, a fixed clock,
// and no browser or mail program.
struct ErrorsTest : ::testing::Test {
    QTemporaryDir dir;
    QStringList opened;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform::seams().programFolder = dir.path();
        platform::seams().exeBaseName = "Tavoro";
        platform::seams().now = [] { return When; };
        platform::seams().openAddress = [this](const QString& a) { opened << a; return true; };
    }
    void TearDown() override { platform::resetSeams(); }

    // While it lives, the error dialog asks and tells nobody and prints
    // nowhere.
    struct Quiet {
        QStringList questions, messages;
        QList<QStringList> printed;
        bool yes = false;
        Quiet()
        {
            services::seams().askYesNo = [this](QWidget*, const QString& q, const QString&) {
                questions << q;
                return yes;
            };
            services::seams().tell = [this](QWidget*, const QString& m) { messages << m; };
            platform::seams().printLines = [this](const QStringList& l) {
                printed << l;
                return false;
            };
            platform::seams().systemFacts = [] { return System; };
        }
        ~Quiet()
        {
            services::resetSeams();
            platform::seams().printLines = nullptr;
            platform::seams().systemFacts = nullptr;
        }
    };

    QByteArray readFile(const QString& path) { return testsupport::readFile(path); }
};

// Runs `action` once the dialog is the modal window on the screen, that is,
// inside its OnError.
void whenShown(ErrPtnr& dialog, std::function<void()> action)
{
    auto* timer = new QTimer(&dialog);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, &dialog, [timer, &dialog, action] {
        if (!dialog.isVisible() || QApplication::activeModalWidget() != &dialog)
            return;
        timer->stop();
        timer->deleteLater();
        action();
    });
    timer->start();
}

QString golden(const QString& error, const QString& object, const QString& procedure,
               const QString& line)
{
    const QStringList lines = {
        Sep,
        "F E H L E R P R O T O K O L L vom ErrorPartner",
        Sep,
        "PROGRAMM-INFO:",
        "          Tavoro  " + appinfo::versionText(),
        Sep,
        "FEHLERBESCHREIBUNG / ERROR DESCRIPTION:",
        "          Fehler-Nr / error :\t" + error,
        "          Modul:\t" + object,
        "          Prozedur / procedure:\t" + procedure,
        "          Zeile / Line:\t" + line,
        "          Datum/Uhrzeit:\t03-07-2024 / 14:05:09",
        Sep,
        "CALLSTACK:",
        Sep,
        "SYSTEMINFO:",
        "          Plattform:\tLinux",
        "          Version:\t6.1",
        "          Build:\t0   Debian GNU/Linux 12 (bookworm)",
        Sep,
    };
    return lines.join("\r\n") + "\r\n";
}

}  // namespace

TEST_F(ErrorsTest, DialogLayout)
{
    ErrPtnr d;
    d.arrangeFrames();

    EXPECT_EQ(d.windowTitle(), "Fehler / Error! ");
    EXPECT_EQ(d.size(), QSize(481, 333));  // 7215 x 4995 twips
    EXPECT_EQ(twips::fromPixels(d.width()), 7215);
    EXPECT_EQ(twips::fromPixels(d.height()), 4995);

    const struct {
        QGroupBox* frame;
        QString caption;
        int top, height;  // twips
    } frames[] = {
        {d.framComment, "", 0, 975},
        {d.framFehler, "Fehlerbeschreibung / error description:", 975, 1695},
        {d.framProgInfo, "Programm-Info:", 2670, 615},
        {d.framProtocol, "Fehlerprotokoll ... / error protocol...", 3285, 855},
        {d.framContinue, "Weiterer Programmablauf... / Continue...", 4140, 855},
    };
    for (const auto& f : frames) {
        EXPECT_FALSE(f.frame->isHidden()) << f.caption.toStdString();
        EXPECT_EQ(f.frame->title(), f.caption);
        EXPECT_EQ(f.frame->geometry(), twips::rect(0, f.top, 7215, f.height)) << f.caption.toStdString();
    }
    EXPECT_TRUE(d.framCallStack->isHidden());
    EXPECT_EQ(d.framCallStack->title(), "CallStack:");

    const QString protocolCaptions[4] = {"&Drucken/Print", "&Speichern/Save", "&EMail", "&WWW"};
    const QString continueCaptions[4] = {"Wieder&holen Retry", "&Ignorieren   Ignore",
                                         "&Abbrechen Cancel", "&Beenden       End"};
    const int lefts[4] = {240, 2040, 3840, 5640};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(d.cmdProtocol[i]->text(), protocolCaptions[i]);
        EXPECT_EQ(d.cmdContinue[i]->text(), continueCaptions[i]);
        EXPECT_EQ(d.cmdProtocol[i]->geometry(), twips::rect(lefts[i], 240, 1335, 495));
        EXPECT_EQ(d.cmdContinue[i]->geometry(), twips::rect(lefts[i], 240, 1335, 495));
        EXPECT_EQ(d.cmdContinue[i]->geometry(), QRect(16 + 120 * i, 16, 89, 33));
    }

    const int tops[4] = {240, 960, 1200, 1440};
    const QString titles[4] = {"Fehler-Nr / error :", "Modul:", "Prozedur / procedure:",
                               "Zeile / Line:"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(d.lblErrTitel[i]->text(), titles[i]);
        EXPECT_EQ(d.lblErrTitel[i]->pos(), twips::point(120, tops[i]));
        EXPECT_EQ(d.lblError[i]->pos(), twips::point(1920, tops[i]));
    }
    EXPECT_EQ(d.lblError[0]->size(), twips::size(5205, 675));
    EXPECT_EQ(d.lblComment->geometry(), twips::rect(120, 240, 6855, 615));
    EXPECT_EQ(d.lblComment->text(),
              "There is a problem. Please contact the author if this problem appears again.\n"
              "Es liegt ein Problem vor, mit dem Sie sich an den technischen Support wenden "
              "sollten, falls es wiederholt auftritt.");
    EXPECT_EQ(d.lblProgInfo->geometry().topLeft(), twips::point(30, 240));
    EXPECT_EQ(d.lblProgInfo->width(), twips::toPixels(7110));
    EXPECT_EQ(d.lstCallStack->geometry(), twips::rect(120, 240, 6975, 675));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(d.frameGeometry().center().x(), screen.center().x()) << "centred";
    EXPECT_NEAR(d.frameGeometry().center().y(), screen.center().y(), 1) << "centred";
}

TEST_F(ErrorsTest, CallStackKeepsTheTwentyNewestNewestFirst)
{
    ErrPtnr d;
    int tick = 0;
    platform::seams().now = [&tick] { return When.addSecs(tick++); };
    for (int i = 1; i <= 25; ++i) {
        QString text = QString("Call %1").arg(i);
        d.CallStack(text);
        EXPECT_EQ(text, When.addSecs(i - 1).toString("HH:mm:ss") + QString(" Call %1").arg(i));
    }
    ASSERT_EQ(d.lstCallStack->count(), 20);
    EXPECT_EQ(d.lstCallStack->item(0)->text(), "14:05:33 Call 25");
    EXPECT_EQ(d.lstCallStack->item(19)->text(), "14:05:14 Call 6");

    // The protocol lists them from the top.
    platform::seams().now = [] { return When; };
    const QString p = d.protocolText();
    EXPECT_TRUE(p.contains("CALLSTACK:\r\n          14:05:33 Call 25\r\n          14:05:32 Call 24\r\n"));
    EXPECT_TRUE(p.contains("          14:05:14 Call 6\r\n" + Sep + "\r\nSYSTEMINFO:"));
}

TEST_F(ErrorsTest, EachReportAppendsAWholeProtocolToTheLogBeforeShowing)
{
    ErrPtnr d;
    Quiet quiet;
    const QString log = dir.filePath("Tavoro.EPT");
    QByteArray seenWhileShown;

    whenShown(d, [&] { seenWhileShown = readFile(log); d.cmdContinue_Click(1); });
    EXPECT_EQ(d.OnError("frmTavoro", "Prüfen", {53, "File not found", 50020}), errors::Ignore);
    const QByteArray first =
        ansi::toAnsi(golden("53 (File not found)", "frmTavoro", "Prüfen", "50020") + "\r\n");
    EXPECT_EQ(seenWhileShown, first);
    EXPECT_TRUE(first.contains("Pr\xFC" "fen")) << "written in Windows-1252";

    whenShown(d, [&] { d.cmdContinue_Click(0); });
    EXPECT_EQ(d.OnError("Allgemein", "GetIniInt", {11, "Division by zero", 50030}), errors::Retry);
    EXPECT_EQ(readFile(log),
              first + ansi::toAnsi(golden("11 (Division by zero)", "Allgemein", "GetIniInt",
                                          "50030") + "\r\n"));
    EXPECT_TRUE(readFile(log).endsWith((Sep + "\r\n\r\n").toLatin1()));
    EXPECT_FALSE(d.isVisible());
}

TEST_F(ErrorsTest, ProgramInfoIsTheDefaultUnlessSet)
{
    ErrPtnr d;
    Quiet quiet;
    whenShown(d, [&] { d.cmdContinue_Click(2); });
    d.OnError("frmTavoro", "Start", {6, "Overflow", 50010});
    EXPECT_EQ(d.lblProgInfo->text(), "Tavoro  " + appinfo::versionText());
    EXPECT_EQ(d.lblError[0]->text(), "6 (Overflow)");
    EXPECT_EQ(d.lblError[3]->text(), "50010");

    ErrPtnr other;
    other.SetProgInfo("Tavoro special");
    whenShown(other, [&] { other.cmdContinue_Click(2); });
    other.OnError("frmTavoro", "Start", {6, "Overflow", 50010});
    EXPECT_EQ(other.lblProgInfo->text(), "Tavoro special");
}

TEST_F(ErrorsTest, SavingTwiceAsksAndNoKeepsTheFirstFile)
{
    ErrPtnr d;
    Quiet quiet;
    d.SetProgInfo("first");
    const QString path = dir.filePath("Tavoro.ERR");

    d.cmdProtocol_Click(1);
    const QByteArray firstFile = readFile(path);
    EXPECT_TRUE(firstFile.contains("          first\r\n"));
    EXPECT_TRUE(firstFile.endsWith((Sep + "\r\n\r\n").toLatin1()));
    EXPECT_TRUE(quiet.questions.isEmpty());
    EXPECT_EQ(quiet.messages,
              QStringList{"Das Fehlerprotokoll wurde in die Datei '" + path + "' geschrieben !"});

    d.SetProgInfo("second");
    quiet.yes = false;
    d.cmdProtocol_Click(1);
    EXPECT_EQ(quiet.questions, QStringList{"Vorhandene Datei '" + path + "' überschreiben ?"});
    EXPECT_EQ(quiet.messages.size(), 1) << "no confirmation after No";
    EXPECT_EQ(readFile(path), firstFile);

    quiet.yes = true;
    d.cmdProtocol_Click(1);
    EXPECT_TRUE(readFile(path).contains("          second\r\n"));
    EXPECT_FALSE(readFile(path).contains("first"));
    EXPECT_EQ(quiet.messages.size(), 2);
}

TEST_F(ErrorsTest, PrintMailAndWebButtons)
{
    ErrPtnr d;
    Quiet quiet;
    const QString protocol = d.protocolText();

    d.cmdProtocol_Click(0);
    ASSERT_EQ(quiet.printed.size(), 1);
    EXPECT_EQ(quiet.printed[0], errors::wrapForPrinting(protocol));
    EXPECT_EQ(quiet.printed[0].front(), Sep + " ");
    EXPECT_EQ(quiet.printed[0].back(), " ");

    d.cmdProtocol_Click(2);
    EXPECT_EQ(quiet.messages,
              QStringList{
                  "Es wird jetzt Ihr Standard-Email-Programm aufgerufen. Die Fehlerbeschreibung "
                  "sowie das Fehlerprotokoll\r\n"
                  "wurden zu Ihrer Bequemlichkeit in die Zwischenablage kopiert.\r\n"
                  "\r\n"
                  "Bitte fügen Sie den Inhalt der Zwischenablage in Ihre Email ein, indem Sie in "
                  "Ihrem Email-Programm\r\n"
                  "die Tasten [Strg] und [Einfg] gleichzeitig betätigen. Alternativ können Sie den "
                  "Inhalt in die EMail\r\n"
                  "einfügen, indem Sie den Befehl 'Einfügen' aus dem Menü 'Bearbeiten' ausführen."});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), protocol);
    EXPECT_EQ(opened, QStringList{"mailto:" + maker::supportEmail()});

    QGuiApplication::clipboard()->clear();
    d.cmdProtocol_Click(3);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), protocol);
    EXPECT_EQ(opened.last(), maker::homePage());
    EXPECT_EQ(quiet.messages.size(), 1) << "the web button says nothing";
}

TEST_F(ErrorsTest, MailAndWebButtonsSaySoWithoutAProgram)
{
    ErrPtnr d;
    Quiet quiet;
    services::seams().GetLang = [](int16_t key) {
        return key % 1000 == 241 ? QStringLiteral("Nothing opens %1.") : QString();
    };
    platform::seams().openAddress = [this](const QString& a) { opened << a; return false; };
    d.cmdProtocol_Click(2);
    d.cmdProtocol_Click(3);
    EXPECT_EQ(opened, QStringList({"mailto:service@tavoro.example", "https://www.tavoro.example/"}));
    ASSERT_EQ(quiet.messages.size(), 3);  // the mail button's hint first
    EXPECT_EQ(quiet.messages.mid(1), QStringList({"Nothing opens service@tavoro.example.",
                                                  "Nothing opens https://www.tavoro.example/."}));
}

TEST_F(ErrorsTest, ABuildWithoutTheMakersAddressesHidesTheirButtons)
{
    const struct {
        std::optional<QString> homePage, supportEmail;
        bool mailShown, webShown;
    } cases[] = {
        {std::nullopt, std::nullopt, true, true},  // the build's own
        {"", "service@tavoro.example", true, false},
        {"https://www.tavoro.example/", "", false, true},
    };
    for (const auto& c : cases) {
        platform::seams().homePage = c.homePage;
        platform::seams().supportEmail = c.supportEmail;
        ErrPtnr d;
        EXPECT_EQ(d.cmdProtocol[2]->isVisibleTo(&d), c.mailShown);
        EXPECT_EQ(d.cmdProtocol[3]->isVisibleTo(&d), c.webShown);
        EXPECT_TRUE(d.cmdProtocol[0]->isVisibleTo(&d));
        EXPECT_TRUE(d.cmdProtocol[1]->isVisibleTo(&d));
    }
}

TEST_F(ErrorsTest, UnwritableFolderReportsWithoutASecondFailure)
{
    const struct {
        const char* name;
        QString folder;
        bool occupy;  // directories where the files would go
    } cases[] = {
        {"missing folder", dir.filePath("missing/sub"), false},
        {"names taken by folders", dir.path(), true},
    };
    for (const auto& c : cases) {
        platform::seams().programFolder = c.folder;
        if (c.occupy) {
            QDir(c.folder).mkdir("Tavoro.EPT");
            QDir(c.folder).mkdir("Tavoro.ERR");
        }
        ErrPtnr d;
        Quiet quiet;
        quiet.yes = true;
        whenShown(d, [&] {
            d.cmdProtocol_Click(0);  // the printer fails
            d.cmdProtocol_Click(1);  // the file cannot be written
            d.cmdContinue_Click(1);  // and the dialog still answers
        });
        EXPECT_EQ(d.OnError("frmTavoro", "Start", {70, "Permission denied", 50010}),
                  errors::Ignore) << c.name;
        EXPECT_EQ(quiet.printed.size(), 1) << c.name;
        ASSERT_EQ(quiet.messages.size(), 1) << c.name;
        EXPECT_TRUE(quiet.messages[0].startsWith("Das Fehlerprotokoll konnte nicht")) << c.name;
        EXPECT_FALSE(QFileInfo(QDir(c.folder).filePath("Tavoro.EPT")).isFile()) << c.name;
    }
}

TEST_F(ErrorsTest, TrappedFailureIsAnsweredInTheRealDialog)
{
    // The dialog comes up above another modal window, and its answer acts on
    // the failing procedure.
    errors::ErrorService* previous = errors::installErrorDialog();
    int exits = 0;
    errors::setProgramExit([&exits] { ++exits; });
    EXPECT_FALSE(ErrPtnr::exists()) << "made on the first report only";

    QDialog otherModal;
    otherModal.setWindowModality(Qt::ApplicationModal);
    otherModal.show();

    const struct {
        const char* name;
        std::function<void(ErrPtnr&)> answer;
        std::string trace;
        QString result;
        int exits;
    } cases[] = {
        {"retry", [](ErrPtnr& d) { d.cmdContinue[0]->click(); }, "abbc", "123", 0},
        {"ignore", [](ErrPtnr& d) { d.cmdContinue[1]->click(); }, "abc", "13", 0},
        {"cancel", [](ErrPtnr& d) { d.cmdContinue[2]->click(); }, "ab", "1", 0},
        {"closed by its frame", [](ErrPtnr& d) { d.close(); }, "ab", "1", 0},
        {"end", [](ErrPtnr& d) { d.cmdContinue[3]->click(); }, "ab", "", 1},
    };
    ErrPtnr* first = nullptr;
    Quiet quiet;
    for (const auto& c : cases) {
        exits = 0;
        std::string trace;
        QString result;
        bool failed = false;
        // The dialog exists once the report starts; answer it when it shows.
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(ErrPtnr::exists());
            whenShown(ErrPtnr::instance(), [&] {
                EXPECT_TRUE(otherModal.isVisible());
                c.answer(ErrPtnr::instance());
            });
        });
        try {
            errors::Procedure proc{"frmTest", "Compute"};
            QString value;
            proc.run({
                [&] { trace += "a"; value += "1"; },
                [&] {
                    trace += "b";
                    if (!failed) {
                        failed = true;
                        errors::raise(errors::ErrFileNotFound);
                    }
                    value += "2";
                },
                [&] { trace += "c"; value += "3"; },
            });
            result = value;
        } catch (const errors::ProgramEnded&) {
        }
        EXPECT_EQ(trace, c.trace) << c.name;
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(exits, c.exits) << c.name;
        ErrPtnr& d = ErrPtnr::instance();
        EXPECT_FALSE(d.isVisible()) << c.name;
        EXPECT_EQ(d.lblError[2]->text(), "Compute");
        if (!first)
            first = &d;
        EXPECT_EQ(&d, first) << "hidden, never made anew";
    }
    EXPECT_EQ(readFile(dir.filePath("Tavoro.EPT")).count("F E H L E R P R O T O K O L L"), 5);

    errors::setErrorService(previous);
    errors::setProgramExit({});
}

TEST_F(ErrorsTest, FailureWhileAReportIsShownIsLoggedAndLeft)
{
    // A timer's procedure may fail while the dialog waits for an answer: the
    // dialog keeps the report it shows, the log gets both, the second
    // procedure is left.
    ErrPtnr d;
    Quiet quiet;
    int16_t nested = -1;
    whenShown(d, [&] {
        nested = d.OnError("frmTavoro", "Timer1_Timer", {6, "Overflow", 50020});
        EXPECT_TRUE(d.isVisible());
        d.cmdContinue_Click(1);
    });
    EXPECT_EQ(d.OnError("frmTavoro", "Start", {53, "File not found", 50010}), errors::Ignore);
    EXPECT_EQ(nested, errors::Cancel);
    EXPECT_EQ(d.lblError[2]->text(), "Start");
    EXPECT_EQ(readFile(dir.filePath("Tavoro.EPT")),
              ansi::toAnsi(golden("53 (File not found)", "frmTavoro", "Start", "50010") + "\r\n"
                           + golden("6 (Overflow)", "frmTavoro", "Timer1_Timer", "50020") + "\r\n"));
}
