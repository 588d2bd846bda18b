#include "platform/profile.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using profile::GetPrivateProfileInt;
using profile::GetPrivateProfileString;
using profile::WritePrivateProfileString;

namespace {

// A settings file as Windows leaves it: CR LF, Windows-1252, a comment, a key
// before any section, odd spacing, a section named twice.
const QByteArray kSample =
    "; Tavoro\r\n"
    "Loose=1\r\n"
    "[Optionen]\r\n"
    "Sprache=1000\r\n"
    "  Size  =  7 \t\r\n"
    "PlaySound=-1\r\n"
    "Mode=12abc\r\n"
    "Empty=\r\n"
    "Plus=+42\r\n"
    "Word=abc\r\n"
    "Huge=99999999999\r\n"
    "Low=-2147483649\r\n"
    "Quoted=\"  x  \"\r\n"
    "NoValueLine\r\n"
    "\r\n"
    "[ Pictures ]\r\n"
    "File=Bild \xfc.bmp\r\n"
    "[optionen]\r\n"
    "Size=3\r\n"
    "Other=9\r\n";

class Profile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("Tavoro.ini");

    static void writeFile(const QString& p, const QByteArray& bytes)
    {
        ASSERT_TRUE(testsupport::writeFile(p, bytes));
    }
    static QByteArray readFile(const QString& p)
    {
        return testsupport::readFile(p, "<missing>");
    }
    bool write(const char* section, std::optional<QString> key, std::optional<QString> value)
    {
        return WritePrivateProfileString(section, key, value, path);
    }

    // On the sample written with the line end `eol`: a key changed in place
    // (the file's spelling kept), a new key at its section's end and a new
    // section at the file's end, in the file's own line ends.
    void threeWritesChangeOnlyTheirLines(const QByteArray& eol)
    {
        QByteArray expected = kSample;
        expected.replace("\r\n", eol);
        ASSERT_EQ(readFile(path), expected);
        ASSERT_TRUE(write("OPTIONEN", " size ", "8"));
        ASSERT_TRUE(write("Pictures", "Album", "1"));
        ASSERT_TRUE(write("Highscore", "1", "2200"));
        expected.replace("  Size  =  7 \t" + eol, "  Size  =8" + eol);
        expected.replace("File=Bild \xfc.bmp" + eol, "File=Bild \xfc.bmp" + eol + "Album=1" + eol);
        expected += "[Highscore]" + eol + "1=2200" + eol;
        EXPECT_EQ(readFile(path), expected);
        EXPECT_EQ(GetPrivateProfileInt("Optionen", "Size", 0, path), 8);
    }
};

}  // namespace

TEST_F(Profile, ReadsIntegersAsWindowsDoes)
{
    writeFile(path, kSample);
    const struct { const char* section; const char* key; int32_t expected; } cases[] = {
        {"Optionen", "Sprache", 1000},
        {"OPTIONEN", "sprache", 1000},         // names in other case
        {" Optionen ", "\tSize ", 7},          // blanks around names and value
        {"Optionen", "PlaySound", -1},
        {"Optionen", "Mode", 12},              // leading digits only
        {"Optionen", "Plus", 42},
        {"Optionen", "Word", 0},               // no digits
        {"Optionen", "Empty", 55},             // empty value: the default
        {"Optionen", "Missing", 55},
        {"Optionen", "NoValueLine", 55},
        {"Nowhere", "Sprache", 55},
        {"", "Loose", 55},                     // before any section: no key
        {"Optionen", "Other", 55},             // only in the second [optionen]
        {"Optionen", "Huge", 1215752191},      // wraps modulo 2^32
        {"Optionen", "Low", INT32_MAX},
        {"Pictures", "File", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPrivateProfileInt(c.section, c.key, 55, path), c.expected)
            << c.section << "/" << c.key;
    EXPECT_EQ(GetPrivateProfileInt("Optionen", "Size", 5, dir.filePath("none.ini")), 5);
    EXPECT_EQ(GetPrivateProfileInt("Optionen", "Size", 5, dir.path()), 5);  // a folder
}

TEST_F(Profile, ReadsStringsAsWindowsDoes)
{
    writeFile(path, kSample);
    const struct { const char* section; const char* key; QString expected; } cases[] = {
        {"pictures", "FILE", QString::fromUtf8("Bild ü.bmp")},
        {"Optionen", "Size", "7"},
        {"Optionen", "Quoted", "  x  "},       // enclosing quotes removed
        {"Optionen", "Empty", ""},
        {"Optionen", "Missing", "def"},        // default without trailing blanks
        {"Nowhere", "File", "def"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "def  \t", 255, path), c.expected)
            << c.section << "/" << c.key;
    EXPECT_EQ(GetPrivateProfileString("a", "b", QString(255, ' '), 255, path), "");
    EXPECT_EQ(GetPrivateProfileString("a", "b", "x", 255, dir.filePath("none.ini")), "x");

    // LF-only files read the same.
    QByteArray lf = kSample;
    lf.replace("\r\n", "\n");
    writeFile(path, lf);
    EXPECT_EQ(GetPrivateProfileString("Pictures", "File", "", 255, path),
              QString::fromUtf8("Bild ü.bmp"));
    EXPECT_EQ(GetPrivateProfileInt("Optionen", "Size", 0, path), 7);
}

TEST_F(Profile, IntegersWrapModulo2To32)
{
    const struct { const char* text; int32_t expected; } cases[] = {
        {"4294967297", 1},
        {"4294967295", -1},
        {"2147483648", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-4294967296", 0},
        {"18446744073709551617", 1},  // far beyond 64 bits too
    };
    for (const auto& c : cases) {
        writeFile(path, QByteArray("[s]\r\nk=") + c.text + "\r\n");
        EXPECT_EQ(GetPrivateProfileInt("s", "k", 55, path), c.expected) << c.text;
    }
}

TEST_F(Profile, CrOnlyFilesReadAndWriteTheirOwnWay)
{
    QByteArray cr = kSample;
    cr.replace("\r\n", "\r");
    writeFile(path, cr);
    EXPECT_EQ(GetPrivateProfileInt("Optionen", "Size", 0, path), 7);
    EXPECT_EQ(GetPrivateProfileInt("Optionen", "PlaySound", 0, path), -1);
    EXPECT_EQ(GetPrivateProfileString("Pictures", "File", "", 255, path),
              QString::fromUtf8("Bild ü.bmp"));
    EXPECT_EQ(profile::ProfileFile(cr).sections().size(), 3);

    threeWritesChangeOnlyTheirLines("\r");
}

TEST_F(Profile, AnEmptyKeyNameIsAKey)
{
    writeFile(path, "[s]\r\n=7\r\nk=1\r\n");
    EXPECT_EQ(GetPrivateProfileInt("s", "", 55, path), 7);
    EXPECT_EQ(profile::ProfileFile::read(path).keys("s"), (QStringList{"", "k"}));
}

TEST_F(Profile, LongValuesAreCutToTheBuffer)
{
    const QByteArray longValue(300, 'v');
    writeFile(path, "[s]\r\nk=" + longValue + "\r\n");
    EXPECT_EQ(GetPrivateProfileString("s", "k", "", 255, path), QString(254, 'v'));
    EXPECT_EQ(GetPrivateProfileString("s", "missing", QString(300, 'd'), 255, path),
              QString(254, 'd'));
}

TEST_F(Profile, AWriteCreatesTheFileWithCrLfAndWindows1252)
{
    ASSERT_TRUE(write("Optionen", "Size", "6"));
    ASSERT_TRUE(write("Pictures", "File", QString::fromUtf8("Züge.bmp")));
    EXPECT_EQ(readFile(path), QByteArray("[Optionen]\r\nSize=6\r\n"
                                         "[Pictures]\r\nFile=Z\xfcge.bmp\r\n"));
    EXPECT_EQ(GetPrivateProfileString("Pictures", "File", "", 255, path),
              QString::fromUtf8("Züge.bmp"));
}

TEST_F(Profile, AWriteChangesOnlyItsOwnLine)
{
    writeFile(path, kSample);
    threeWritesChangeOnlyTheirLines("\r\n");

    // A new key goes after the section's last line, before the blank line that
    // parts it from the next one.
    writeFile(path, "[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2");
    ASSERT_TRUE(write("a", "z", "3"));
    ASSERT_TRUE(write("b", "w", "4"));
    EXPECT_EQ(readFile(path), "[a]\r\nx=1\r\n; note\r\nz=3\r\n\r\n[b]\r\ny=2\r\nw=4\r\n");

    // Files with LF line ends get LF lines.
    writeFile(path, "[a]\nx=1\n");
    ASSERT_TRUE(write("a", "y", "2"));
    EXPECT_EQ(readFile(path), "[a]\nx=1\ny=2\n");
}

TEST_F(Profile, ValuesWrittenTogetherGiveTheBytesOfOneWriteEach)
{
    // Keys existing, new, spelled otherwise, in a new section: the same bytes
    // as one write each, in one replacement of the file.
    const std::vector<std::pair<QString, QString>> values = {
        {" size ", "8"}, {"New", "1"}, {"PLAYSOUND", "0"}, {"new", "2"}};
    for (const char* section : {"Optionen", "m50"}) {
        SCOPED_TRACE(section);
        writeFile(path, kSample);
        for (const auto& [key, value] : values)
            ASSERT_TRUE(write(section, key, value));
        const QByteArray oneByOne = readFile(path);
        writeFile(path, kSample);
        ASSERT_TRUE(profile::WritePrivateProfileValues(section, values, path));
        EXPECT_EQ(readFile(path), oneByOne);
    }

    // A value the file cannot hold stores none of them.
    writeFile(path, kSample);
    EXPECT_FALSE(profile::WritePrivateProfileValues("Optionen", {{"Size", "4"}, {"Mode", "a\nb"}},
                                                    path));
    EXPECT_EQ(readFile(path), kSample);
}

TEST_F(Profile, WritingTheSameValueLeavesTheFileAlone)
{
    writeFile(path, kSample);
    struct stat before {}, after {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    ASSERT_TRUE(write("optionen", "Sprache", "1000"));
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(readFile(path), kSample);
}

TEST_F(Profile, NoKeyRemovesTheSectionNoValueTheKey)
{
    writeFile(path, kSample);
    ASSERT_TRUE(write("OPTIONEN", std::nullopt, std::nullopt));
    EXPECT_EQ(readFile(path), "; Tavoro\r\nLoose=1\r\n[ Pictures ]\r\nFile=Bild \xfc.bmp\r\n");
    ASSERT_TRUE(write("Pictures", "file", std::nullopt));
    EXPECT_EQ(readFile(path), "; Tavoro\r\nLoose=1\r\n[ Pictures ]\r\n");

    // Removing what is not there creates nothing.
    const QString none = dir.filePath("none.ini");
    EXPECT_TRUE(WritePrivateProfileString("m50", std::nullopt, std::nullopt, none));
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(Profile, AFailedWriteReturnsFalseAndChangesNothing)
{
    // No such folder.
    const QString lost = dir.filePath("no/such/Tavoro.ini");
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", lost));
    EXPECT_FALSE(QFile::exists(lost));

    // A folder where the file belongs.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Tavoro.hsc"));
    EXPECT_FALSE(WritePrivateProfileString("s", "k", "v", dir.filePath("Tavoro.hsc")));

    // Names and values the file could not hold.
    writeFile(path, kSample);
    EXPECT_FALSE(write("Optionen", "Size", "6\r\n[Evil]"));
    EXPECT_FALSE(write("Optionen", "a=b", "1"));
    EXPECT_FALSE(write("Opt]ionen", "a", "1"));
    EXPECT_FALSE(write("", "a", "1"));
    EXPECT_EQ(readFile(path), kSample);

    // The disk fills up halfway: the old file stays whole and no stray file is
    // left beside it.
    struct sigaction ignore {}, old {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGXFSZ, &ignore, &old), 0);
    rlimit limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{16, limit.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = write("Optionen", "Size", "6");
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::sigaction(SIGXFSZ, &old, nullptr);
    EXPECT_FALSE(written);
    EXPECT_EQ(readFile(path), kSample);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Tavoro.ini"});
}

// A read-only program folder with a writable settings file: the write goes to
// the file in place. Root may write anywhere, so as root the write runs in a
// child process without privileges.
TEST_F(Profile, AReadOnlyFolderWithAWritableFileIsWrittenInPlace)
{
    writeFile(path, kSample);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    bool written = false;
    if (::geteuid() == 0) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            ::_exit(write("Optionen", "Size", "6") ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        written = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    } else {
        written = write("Optionen", "Size", "6");
    }
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_TRUE(written);
    EXPECT_EQ(GetPrivateProfileInt("Optionen", "Size", 0, path), 6);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Tavoro.ini"});
}

TEST(ProfileFile, ListsSectionsAndKeys)
{
    const profile::ProfileFile file(kSample);
    // Every header as the file has it, the second [optionen] too.
    EXPECT_EQ(file.sections(), (QStringList{"Optionen", "Pictures", "optionen"}));
    EXPECT_EQ(file.keys("pictures"), QStringList{"File"});
    EXPECT_EQ(file.keys("Optionen").size(), 10);
    EXPECT_EQ(file.bytes(), kSample);
}

// File names the code page cannot hold, or longer than a reader takes, come
// back exactly; the file's own key keeps what the code page holds, for other
// readers, and a reader that changed that key since wins.
TEST(ProfileFile, TextsBeyondTheCodePageComeBackExactly)
{
    const QString longName = QString(300, QLatin1Char('n')) + ".jpg";
    struct Row {
        QString text;
        QByteArray stored;  // what the key itself holds
        bool added;         // whether the exact key is added
    } rows[] = {
        {"Tavoro1.bmp", "Tavoro1.bmp", false},
        {QString::fromUtf8("Gänseblümchen.jpg"), "G\xE4nsebl\xFCmchen.jpg", false},
        {QString::fromUtf8("Москва.jpg"), "??????.jpg", true},
        {QString::fromUtf8("中文.jpg"), "??.jpg", true},
        {longName, longName.toLatin1(), true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text.toStdString());
        profile::ProfileFile file(QByteArray("[Pictures]\r\nFile=old.jpg\r\n"));
        ASSERT_TRUE(file.setText("Pictures", "File", r.text));
        EXPECT_EQ(file.text("Pictures", "File"), r.text);
        const profile::ProfileFile again(file.bytes());
        EXPECT_EQ(again.text("Pictures", "File"), r.text);
        EXPECT_TRUE(file.bytes().contains("File=" + r.stored + "\r\n"));
        EXPECT_EQ(again.keys("Pictures").size(), r.added ? 2 : 1);
        // Another reader stores a name of its own: that one counts.
        profile::ProfileFile changed(file.bytes());
        changed.setValue("Pictures", "File", "other.jpg");
        EXPECT_EQ(changed.text("Pictures", "File"), "other.jpg");
        // A name that fits again removes the added key.
        changed.setText("Pictures", "File", "plain.jpg");
        EXPECT_EQ(changed.keys("Pictures"), QStringList{"File"});
    }
}
