// The champions window: the first stored result and the file it writes, the
// ranking of results against a full list, the rows of hand-edited files,
// the clear command, the texts, and writes that fail.

#include "champions_fixture.h"
#include "platform/seams.h"
#include "support/child_process.h"

#include <QFile>
#include <QPushButton>

#include <unistd.h>

using champions::kEmptySlot;
using testsupport::ChampionsTest;

namespace {

using Row = std::array<QString, 3>;
const Row kEmptyRow = {"", "", ""};

// A full list of 5 x 5 slide games, best first.
const QStringList kFull = {"0001000005Bob",  "0001000009carl", "0002000003Dora", "0003000001Eve",
                           "0004000004Finn", "0005000005Gus",  "0006000006Hal",  "0007000007Ida",
                           "0008000008Jon",  "0009000009Kim"};

// What a row shows of an entry.
Row shown(const QString& entry)
{
    const champions::Row r = champions::rowOf(entry);
    return {r.name, r.moves, r.seconds};
}

}  // namespace

TEST_F(ChampionsTest, TheFirstResultAsksTheNameShowsItFirstAndWritesTenKeys)
{
    names = {"  Anna  "};
    open(3, 1, "0000700012");

    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0], std::make_pair(QString("Please enter your name!\n\n"
                                                 "Rank 1: 12 moves in 7 seconds"),
                                         QString("Congratulations!")));
    EXPECT_EQ(w->Section, "m31");
    EXPECT_EQ(row(1), (Row{"Anna", "12", "7"}));
    for (int i = 2; i <= 10; ++i)
        EXPECT_EQ(row(i), kEmptyRow) << i;
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(w->Label1[i]->text(), QString::number(i) + ".");
    // A screen reader reads a row as one.
    EXPECT_EQ(w->Label1[1]->accessibleName(), "1. Anna, Moves 12, Time (s) 7");
    EXPECT_EQ(w->Label1[2]->accessibleName(), "2.");

    // One section, ten keys, CR LF, the empty slots with prefix "22".
    QByteArray expected = "[m31]\r\n1=" + encode("0000700012Anna").toLatin1() + "\r\n";
    for (int k = 2; k <= 10; ++k)
        expected += QByteArray::number(k) + "=" + encode(kEmptySlot).toLatin1() + "\r\n";
    EXPECT_EQ(hscBytes(), expected);
    EXPECT_EQ(hscBytes().count("=22"), 9);
    EXPECT_TRUE(hscBytes().contains("1=28"));
    EXPECT_TRUE(warnings.empty());
}

// The name box refuses, as typed, what the file could not keep.
TEST_F(ChampionsTest, TheNameBoxRefusesAsTypedWhatTheListCannotKeep)
{
    names = {"Anna"};
    open(3, 1, "0000700012");
    ASSERT_TRUE(nameProblem);
    const struct { QString typed; QString problem; } cases[] = {
        {"Anna", ""},
        {QString(20, 'x'), ""},
        {QString(21, 'x'), "At most 20 characters."},
        {QString::fromUtf8("Zoë Ångström"), ""},           // in the file's code page
        {QString::fromUtf8("Łukasz Dvořák"), QString::fromUtf8("Cannot keep: Łř")},
        {QString::fromUtf8("山田"), QString::fromUtf8("Cannot keep: 山田")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nameProblem(c.typed), c.problem) << qPrintable(c.typed);
}

TEST_F(ChampionsTest, AResultTakesItsRankInAFullList)
{
    struct Case {
        const char* what;
        QString result;
        std::optional<QString> name;
        bool asked;
        QStringList after;  // the stored list afterwards
    } cases[] = {
        {"same seconds, fewer moves: above", "0001000004", "Zed", true,
         QStringList{"0001000004Zed"} + kFull.mid(0, 9)},
        {"same seconds and moves: by name, without regard to case", "0001000009", "Cat", true,
         kFull.mid(0, 2) + QStringList{"0001000009Cat"} + kFull.mid(2, 7)},
        {"equal to the tenth: not asked, the tenth stays", "0009000009", "Aaron", false, kFull},
        {"worse than the tenth: not asked, nothing written", "0009000010", "Zed", false, kFull},
        {"0 seconds and 0 moves never enter", "0000000000", "Zed", false, kFull},
        {"a cancelled name box stores nothing", "0000500002", std::nullopt, true, kFull},
        {"an empty name is still an entry", "0000500002", "  ", true,
         QStringList{"0000500002"} + kFull.mid(0, 9)},
        {"25 characters keep their first 20", "0000500002", "  Abcdefghijklmnopqrstuvwxy ", true,
         QStringList{"0000500002Abcdefghijklmnopqrst"} + kFull.mid(0, 9)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(hsc());
        store("m50", kFull);
        const QByteArray before = hscBytes();
        prompts.clear();
        names = {c.name};

        open(5, 0, c.result);

        EXPECT_EQ(prompts.size(), c.asked ? 1u : 0u);
        EXPECT_EQ(stored("m50"), c.after);
        if (c.after == kFull)
            EXPECT_EQ(hscBytes(), before);
        for (int i = 1; i <= 10; ++i)
            EXPECT_EQ(row(i), shown(c.after[i - 1])) << i;
    }
    // The empty name's row: numbers and no name; a cancelled first result
    // leaves no file behind.
    QFile::remove(hsc());
    names = {""};
    open(5, 0, "0000500002");
    EXPECT_EQ(row(1), (Row{"", "2", "5"}));
    QFile::remove(hsc());
    names = {std::nullopt};
    open(5, 0, "0000500002");
    EXPECT_EQ(row(1), kEmptyRow);
    EXPECT_FALSE(QFile::exists(hsc()));
}

TEST_F(ChampionsTest, NinetyNineThousandNineHundredNinetyNineSecondsAreStoredButShowEmpty)
{
    store("m40", {"0004200137Anna"});
    names = {"Slow"};
    open(4, 0, "9999900001");
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(stored("m40").mid(0, 3),
              (QStringList{"0004200137Anna", "9999900001Slow", kEmptySlot}));
    EXPECT_EQ(row(1), (Row{"Anna", "137", "42"}));
    EXPECT_EQ(row(2), kEmptyRow);
}

TEST_F(ChampionsTest, RowsOfAHandEditedFileAndNothingWrittenByLooking)
{
    // Written by hand: upper- and lower-case section name, values that decode
    // to nothing or to junk, three keys missing.
    const QByteArray file = "[M50]\r\n"
                            "1=00\r\n"
                            "2=\r\n"
                            "3=" + encode("0004200137Anna").toLatin1() + "\r\n"
                            "4=garbage\r\n"
                            "5=" + encode("9999900001Slow").toLatin1() + "\r\n"
                            "6=" + encode("abcdefghijklmn").toLatin1() + "\r\n"
                            "7=" + encode("0000300009Zoe").toLatin1() + "\r\n"
                            "[m51]\r\n"
                            "1=" + encode("0000100001Swapper").toLatin1() + "\r\n";
    ASSERT_TRUE(testsupport::writeFile(hsc(), file));

    open(5, 0);

    // Zoe, Anna, then empty slots: values that are no entry count as empty
    // slots instead of blank rows above the champions.
    for (int i = 3; i <= 10; ++i)
        EXPECT_EQ(row(i), kEmptyRow) << i;
    EXPECT_EQ(row(1), (Row{"Zoe", "9", "3"}));
    EXPECT_EQ(row(2), (Row{"Anna", "137", "42"}));
    EXPECT_EQ(w->Label1[1]->text(), "1.");
    EXPECT_EQ(w->Label1[10]->text(), "10.");
    EXPECT_TRUE(prompts.empty());
    EXPECT_EQ(hscBytes(), file);
}

TEST_F(ChampionsTest, OpeningOnlyToLookNeverAsksOrWrites)
{
    open(3, 1);
    EXPECT_TRUE(prompts.empty());
    EXPECT_FALSE(QFile::exists(hsc()));
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(row(i), kEmptyRow);
}

TEST_F(ChampionsTest, SizesAndModesKeepListsOfTheirOwn)
{
    names = {"Swapper"};
    open(4, 1, "0000700012");
    open(4, 0);
    EXPECT_EQ(row(1), kEmptyRow);
    open(5, 1);
    EXPECT_EQ(row(1), kEmptyRow);
    open(4, 1);
    EXPECT_EQ(row(1), (Row{"Swapper", "12", "7"}));
}

TEST_F(ChampionsTest, ClearingAsksAndEmptiesOnlyThisSizeAndMode)
{
    store("m50", kFull);
    store("m51", {"0000100001Swapper"});
    const QByteArray before = hscBytes();
    open(5, 0);
    w->show();

    answerYes = false;
    w->cmdDelHS_Click();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], std::make_pair(QString("Really delete the champions list?"),
                                           QString("Delete champions...")));
    EXPECT_EQ(hscBytes(), before);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(row(1), (Row{"Bob", "5", "10"}));

    answerYes = true;
    w->cmdDelHS_Click();
    // The window stays and shows the emptied list.
    EXPECT_TRUE(w->isVisible());
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(row(i), kEmptyRow) << i;
    EXPECT_FALSE(profile::ProfileFile::read(hsc()).sections().contains("m50"));
    EXPECT_EQ(stored("m51")[0], "0000100001Swapper");

    open(5, 0);
    EXPECT_EQ(row(1), kEmptyRow);
}

TEST_F(ChampionsTest, TextsInTheCurrentLanguage)
{
    struct Case {
        int16_t size, mode;
        const char* line;
    } cases[] = {
        {5, 0, "Pieces: 5 x 5     Mode: Slide"},
        {8, 1, "Pieces: 8 x 8     Mode: Swap"},
        {3, 1, "Pieces: 3 x 3     Mode: Swap"},
    };
    for (const Case& c : cases) {
        open(c.size, c.mode);
        EXPECT_EQ(w->lblMode->text(), c.line);
    }
    EXPECT_EQ(w->lblTitle->text(), "Tavoro Champions");
    EXPECT_EQ(w->lblHeader[0]->text(), "Name");
    EXPECT_EQ(w->lblHeader[1]->text(), "Moves");
    EXPECT_EQ(w->lblHeader[2]->text(), "Time (s)");
    EXPECT_EQ(w->cmdDelHS->text(), "&Reset");
    EXPECT_EQ(w->cmdOK->text(), "&OK");
    EXPECT_TRUE(w->cmdOK->isDefault());
}

TEST_F(ChampionsTest, ANameStoredWhileTheNameBoxStoodOpenIsKept)
{
    store("m30", {"0000900001Early"});
    // Another copy of the game stores its result while this one asks.
    whileNameBoxOpen = [this] {
        store("m30", {"0000900001Early", "0000300003Other"});
    };
    names = {"Anna"};
    open(3, 0, "0000700012");
    EXPECT_EQ(stored("m30").mid(0, 4),
              (QStringList{"0000300003Other", "0000700012Anna", "0000900001Early", kEmptySlot}));
    EXPECT_EQ(row(1), (Row{"Other", "3", "3"}));
    EXPECT_EQ(row(2), (Row{"Anna", "12", "7"}));
}

TEST_F(ChampionsTest, AFolderThatCannotBeWrittenKeepsTheListShownAndSaysSo)
{
    // The program's folder lies below a plain file: nothing can be created
    // there, whoever runs the test.
    ASSERT_TRUE(testsupport::writeFile(folder.filePath("plain"), "x"));
    platform::seams().programFolder = folder.filePath("plain/game");
    names = {"Anna"};
    open(3, 0, "0000700012");
    EXPECT_EQ(row(1), (Row{"Anna", "12", "7"}));
    EXPECT_EQ(warnings, QStringList{"The champions list could not be saved."});
}

// The administrator writes read-only files: as root the test runs again in a
// child as the unprivileged user, over a folder given to it.
TEST_F(ChampionsTest, AReadOnlyFileLosesNothingAndSaysSo)
{
    if (geteuid() == 0) {
        QTemporaryDir tmp;
        ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 01777), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0777), 0);
        testsupport::ChildOptions o;
        o.unprivileged = true;
        o.env = {{"TAVORO_TEST_CHILD", "1"},
                 {"TAVORO_TEST_DIR", QFile::encodeName(folder.path())},
                 {"TMPDIR", QFile::encodeName(tmp.path())},
                 {"HOME", QFile::encodeName(tmp.path())}};
        const auto r = testsupport::runTestInChild(
            "ChampionsTest.AReadOnlyFileLosesNothingAndSaysSo", o);
        EXPECT_TRUE(r.exited && r.status == 0) << "child status " << r.status;
        return;
    }
    if (testsupport::inChild()) {
        platform::seams().programFolder = qEnvironmentVariable("TAVORO_TEST_DIR");
        hscPathOverride = qEnvironmentVariable("TAVORO_TEST_DIR") + "/Tavoro.hsc";
    }
    store("m50", kFull);
    const QByteArray before = hscBytes();
    ASSERT_TRUE(QFile::setPermissions(hsc(), QFile::ReadOwner | QFile::ReadGroup));
    names = {"Zed"};
    open(5, 0, "0000100001");
    EXPECT_EQ(row(1), (Row{"Zed", "1", "1"}));
    EXPECT_EQ(hscBytes(), before);
    EXPECT_EQ(warnings, QStringList{"The champions list could not be saved."});

    // Nor does the clear command remove what is stored.
    warnings.clear();
    answerYes = true;
    w->cmdDelHS_Click();
    EXPECT_EQ(hscBytes(), before);
    EXPECT_EQ(warnings.size(), 1u);
    QFile::setPermissions(hsc(), QFile::ReadOwner | QFile::WriteOwner);
}
