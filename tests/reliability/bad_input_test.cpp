// Bad input: settings, champions and picture files that players, editors and
// full disks leave behind. Each row gives the input, what the player meets (the
// game starts with the setting's default, or the error dialog once) and what
// stays on disk (nothing truncated or emptied that could not be rewritten).
// Rows that need a player's permissions or a full disk run in a child process
// (support/child_process.h).

#include "errors/failure.h"
#include "champions/champions_fixture.h"
#include "mainwindow/frmTavoro.h"
#include "platform/seams.h"
#include "services/language.h"
#include "services/media.h"
#include "services/picture_file.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/child_process.h"
#include "support/files.h"
#include "support/main_window_services.h"
#include "support/pictures.h"
#include "support/scripted_errors.h"
#include "support/window_env.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <iostream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using testsupport::readFile;
using testsupport::writeFile;

// The main window started over a folder of the test's own: Form_Load, then the
// language as the start screen reads it on every later start.
class BadSettings : public ::testing::Test {
protected:
    testsupport::ScriptedErrors errors;
    QTemporaryDir own;     // the program's folder, unless a child names another
    QTemporaryDir temp;    // the user's temporary folder
    QString folder;
    QByteArray oldTmp = qgetenv("TMPDIR");
    std::unique_ptr<frmTavoro> w;

    void SetUp() override
    {
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
        folder = testsupport::inChild() ? qEnvironmentVariable("TAVORO_TEST_DIR") : own.path();
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        platform::seams().programFolder = folder;
        services::seams().languageFile = temp.filePath("~tmp.lng");
        Allgemein::WriteLanguageFile();
        testsupport::useTestServices();
    }

    void TearDown() override
    {
        w.reset();
        testsupport::restoreServices();
        platform::resetSeams();
        qputenv("TMPDIR", oldTmp);
        g = SharedRecord{};
        Allgemein::settings() = Allgemein::Settings{};
    }

    QString ini() const { return folder + "/Tavoro.ini"; }

    // Where the failures were reported, in order.
    QStringList reported() const
    {
        QStringList where;
        for (const auto& r : errors.reports)
            where << r.procedure;
        return where;
    }

    void start()
    {
        w = std::make_unique<frmTavoro>();
        w->Form_Load();
        ASSERT_TRUE(testsupport::waitForPictures());  // an own picture is read on the worker
        Allgemein::settings().setSprache(Allgemein::GetIniSetting(Allgemein::Setting::Sprache));
    }
};

// What the player gets: the settings in force after the start.
struct Applied {
    int16_t size = 5, mode = 0, sprache = 0, picture = 101, background = 101, music = 1;
};

Applied applied()
{
    const Allgemein::Settings& s = Allgemein::settings();
    using Allgemein::Setting;
    return {s.value(Setting::Size), s.value(Setting::Mode), s.value(Setting::Sprache),
            s.value(Setting::Picture), s.value(Setting::Background),
            int16_t(s.MusicOn() ? (s.MusicEndless() ? 2 : 1) : 0)};
}

bool operator==(const Applied& a, const Applied& b)
{
    return a.size == b.size && a.mode == b.mode && a.sprache == b.sprache &&
           a.picture == b.picture && a.background == b.background && a.music == b.music;
}

std::ostream& operator<<(std::ostream& os, const Applied& a)
{
    return os << "Size " << a.size << " Mode " << a.mode << " Sprache " << a.sprache
              << " Picture " << a.picture << " Background " << a.background << " music "
              << a.music;
}

QByteArray randomBytes(int n, quint32 seed)
{
    QRandomGenerator gen(seed);
    QByteArray b(n, '\0');
    gen.fillRange(reinterpret_cast<quint32*>(b.data()), n / 4);
    return b;
}

const QByteArray kMegabyte(1 << 20, 'x');

// The first 45 bytes of a bitmap whose header claims width x height at
// `bits` a pixel, uncompressed.
QByteArray bmpHeaderClaiming(qint32 width, qint32 height, quint16 bits)
{
    QByteArray b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<quint32>(54, b.data() + 10);
    qToLittleEndian<quint32>(40, b.data() + 14);
    qToLittleEndian<qint32>(width, b.data() + 18);
    qToLittleEndian<qint32>(height, b.data() + 22);
    qToLittleEndian<quint16>(1, b.data() + 26);
    qToLittleEndian<quint16>(bits, b.data() + 28);
    return b.left(45);
}

}  // namespace

TEST_F(BadSettings, EveryBadSettingStartsTheGameWithItsDefaultAndKeepsTheFileWhole)
{
    using Kept = std::function<bool(const QByteArray& before, const QByteArray& after)>;
    const Kept stored = [](const QByteArray&, const QByteArray&) { return true; };
    auto holds = [](QByteArray text) {
        return Kept([text](const QByteArray&, const QByteArray& after) {
            return after.contains(text);
        });
    };
    const Kept grownFromTheOld = [](const QByteArray& before, const QByteArray& after) {
        return after.startsWith(before);
    };
    struct Row {
        const char* input;
        QByteArray file;  // the settings file's bytes; "<dir>" a folder of that name
        QStringList reports;  // where the error dialog appeared
        Applied player;
        Kept kept;
    };
    const Applied defaults;
    auto with = [&](auto change) { Applied a = defaults; change(a); return a; };
    const QByteArray bigFile = "[Pictures]\r\nAlbum=1\r\nFile=" + kMegabyte + "\r\n";
    const QByteArray random = randomBytes(8192, 13);
    const Row rows[] = {
        {"Size 99", "[Optionen]\r\nSize=99\r\n", {"mnuSize_Click"}, defaults,
         holds("[Optionen]\r\nSize=5\r\n")},
        {"Size 0", "[Optionen]\r\nSize=0\r\n", {"mnuSize_Click"}, defaults, holds("Size=5\r\n")},
        {"Size -1", "[Optionen]\r\nSize=-1\r\n", {"mnuSize_Click"}, defaults, holds("Size=5\r\n")},
        {"Size abc", "[Optionen]\r\nSize=abc\r\n", {"mnuSize_Click"}, defaults,
         holds("Size=5\r\n")},
        {"Size 4294967297 (reads 1)", "[Optionen]\r\nSize=4294967297\r\n", {"mnuSize_Click"},
         defaults, holds("Size=5\r\n")},
        {"Mode 7", "[Optionen]\r\nMode=7\r\n", {"GetIniSetting"}, defaults, holds("Mode=0\r\n")},
        {"Sprache 9999", "[Optionen]\r\nSprache=9999\r\n", {"GetIniSetting"}, defaults,
         holds("Sprache=0\r\n")},
        // "x" reads 0 as Windows reads it: German, a language that exists.
        {"Sprache x", "[Optionen]\r\nSprache=x\r\n", {}, defaults, holds("Sprache=x\r\n")},
        {"Background 999", "[Pictures]\r\nBackground=999\r\n", {"GetIniSetting"}, defaults,
         holds("Background=101\r\n")},
        {"Picture -5", "[Pictures]\r\nPicture=-5\r\n", {"GetIniSetting"}, defaults,
         holds("Picture=101\r\n")},
        {"PlayMusic 3", "[Optionen]\r\nPlayMusic=3\r\n", {"mnuMusic_Click"}, defaults,
         holds("PlayMusic=1\r\n")},
        {"a 1 MB line among good settings",
         "[Optionen]\r\nSize=6\r\nJunk=" + kMegabyte + "\r\nMode=1\r\n", {},
         with([](Applied& a) { a.size = 6; a.mode = 1; }), holds(kMegabyte + "\r\nMode=1\r\n")},
        {"a picture file name of 1 MB", bigFile, {}, defaults, holds("File=" + kMegabyte)},
        {"NUL bytes", QByteArray("[Optionen]\r\nSize=6\0\0\r\n\0\0Mode=1\r\n", 32), {},
         with([](Applied& a) { a.size = 6; }), holds(QByteArray("\0\0Mode=1\r\n", 10))},
        {"a file of random bytes", random, {}, defaults, grownFromTheOld},
        {"UTF-8 with a byte-order mark",
         "\xEF\xBB\xBF[Optionen]\r\nSize=7\r\nMode=1\r\nSprache=1000\r\n", {},
         with([](Applied& a) { a.size = 7; a.mode = 1; a.sprache = 1000; }),
         [](const QByteArray&, const QByteArray& after) {
             return after.startsWith("\xEF\xBB\xBF[Optionen]\r\nSize=7\r\nMode=1\r\n") &&
                    after.count("[Optionen]") == 1;
         }},
        {"a folder named Tavoro.ini", "<dir>", {}, defaults, stored},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        QFile::remove(ini());
        QDir(folder).rmdir("Tavoro.ini");
        if (row.file == "<dir>")
            ASSERT_TRUE(QDir(folder).mkdir("Tavoro.ini"));
        else
            ASSERT_TRUE(writeFile(ini(), row.file));
        start();
        EXPECT_EQ(reported(), row.reports);
        for (const auto& r : errors.reports)
            EXPECT_FALSE(r.failure.description.isEmpty());
        EXPECT_EQ(applied(), row.player);
        if (row.file == "<dir>") {
            EXPECT_TRUE(QFileInfo(ini()).isDir());
        } else {
            const QByteArray after = readFile(ini());
            EXPECT_TRUE(row.kept(row.file, after)) << after.left(200).toStdString();
            // Once the defaults are stored the next start is clean.
            errors.reports.clear();
            start();
            EXPECT_EQ(reported(), QStringList{});
        }
        errors.reports.clear();
        w.reset();
    }
}

// ---- Pictures ---------------------------------------------------------------

using testsupport::pngClaiming;

// Each bad picture file is refused as an invalid picture, and the main window
// then plays built-in picture 101 without a word (the settings stay).
TEST_F(BadSettings, BadPictureFilesAreRefusedAndTheGameFallsBackOnItsOwnPicture)
{
    QImage good(40, 30, QImage::Format_RGB32);
    good.fill(Qt::darkCyan);
    QByteArray bmp;
    {
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(good.save(&buffer, "BMP"));
    }
    struct Row {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"empty.jpg", {}},
        {"truncated.bmp", bmp.left(bmp.size() / 2)},
        {"text.bmp", "This is no picture, only a note.\r\n"},
        {"huge.jpg", pngClaiming(20000, 20000)},
        // 45 bytes whose width x depth x height overflows 64 bits, and one
        // whose width is the most negative 32-bit number.
        {"overflow.bmp", bmpHeaderClaiming(0x7FFFFFFF, 0x7FFFFFFF, 0xFFFF)},
        {"negative.bmp", bmpHeaderClaiming(qint32(0x80000000), qint32(0x80000000), 32)},
    };
    ASSERT_TRUE(QDir(folder).mkpath("pics"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = folder + "/pics/" + row.name;
        ASSERT_TRUE(writeFile(path, row.bytes));
        try {
            pictures::loadPuzzlePicture(path);
            ADD_FAILURE() << "loaded";
        } catch (const errors::Failure& f) {
            EXPECT_EQ(f.number(), errors::ErrInvalidPicture);
        }
        const QByteArray settings = QByteArray("[Optionen]\r\nSize=5\r\nPlayMusic=1\r\n"
                                               "[Pictures]\r\nAlbum=1\r\nFile=") +
                                    row.name + "\r\n";
        ASSERT_TRUE(writeFile(ini(), settings));
        start();
        EXPECT_EQ(reported(), QStringList{});
        EXPECT_EQ(w->PicClip1.Picture().size(), resources::loadBitmap(201).size());
        EXPECT_TRUE(readFile(ini()).contains(QByteArray("File=") + row.name));
        EXPECT_EQ(readFile(path), row.bytes);
        w.reset();
    }
}

// The picture of 20000 x 20000 pixels is refused by its header: run under an
// address-space limit far below the 1.6 GB its pixels would take.
TEST(BadPictures, AHugePictureIsRefusedBeforeAnyPixelIsDecoded)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
#endif
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.jpg");
    ASSERT_TRUE(writeFile(path, pngClaiming(20000, 20000)));
    testsupport::ChildOptions o;
    o.env = {{"TAVORO_TEST_CHILD", "1"}, {"TAVORO_TEST_DIR", QFile::encodeName(dir.path())},
             {"TAVORO_TEST_AS_LIMIT", "1"}};
    const auto r = testsupport::runTestInChild("BadPictures.DISABLED_HugePictureChild", o);
    EXPECT_TRUE(r.exited && r.status == 0) << "child status " << r.status;
}

TEST(BadPictures, DISABLED_HugePictureChild)
{
    // The limit: what the process holds now and 512 MB more.
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_AS, &limit), 0);
    QFile status("/proc/self/status");
    ASSERT_TRUE(status.open(QIODevice::ReadOnly));
    qint64 vmSizeKb = 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            vmSizeKb = line.mid(7).trimmed().split(' ').front().toLongLong();
    ASSERT_GT(vmSizeKb, 0);
    limit.rlim_cur = rlim_t(vmSizeKb * 1024 + (512ll << 20));
    ASSERT_EQ(::setrlimit(RLIMIT_AS, &limit), 0);
    try {
        pictures::loadPuzzlePicture(qEnvironmentVariable("TAVORO_TEST_DIR") + "/huge.jpg");
        ADD_FAILURE() << "loaded";
    } catch (const errors::Failure& f) {
        EXPECT_EQ(f.number(), errors::ErrInvalidPicture);
    }
}

// A progressive JPEG of 15,800 x 15,800 pixels in a few kilobytes: its decode
// would keep 1.5 GB of coefficients at any scale. Refused from its header with
// error 481, and the child's peak memory hardly grows.
TEST(BadPictures, AProgressiveJpegBombIsRefusedWithinTheMemoryBound)
{
    // A figure of peak memory: the sanitizer's allocator and quarantine make
    // it mean nothing, and its leak check at the end of this test crashes in
    // its own tracer (GCC 12's LeakSanitizer reading glibc 2.36's dynamic TLS).
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "peak memory is not measured under the address sanitizer";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "peak memory is not measured under the address sanitizer";
#endif
#endif
    QTemporaryDir dir;
    const QByteArray bomb = testsupport::progressiveJpegClaiming(15800, 15800);
    ASSERT_FALSE(bomb.isEmpty());
    ASSERT_TRUE(writeFile(dir.filePath("bomb.jpg"), bomb));
    testsupport::ChildOptions o;
    o.env = {{"TAVORO_TEST_CHILD", "1"}, {"TAVORO_TEST_DIR", QFile::encodeName(dir.path())}};
    const auto r = testsupport::runTestInChild("BadPictures.DISABLED_BombChild", o);
    EXPECT_TRUE(r.exited && r.status == 0) << "child status " << r.status;
}

TEST(BadPictures, DISABLED_BombChild)
{
    const auto peakKb = [] {
        rusage use {};
        ::getrusage(RUSAGE_SELF, &use);
        return qint64(use.ru_maxrss);
    };
    // A small progressive picture of the game's own still loads.
    const QString small = qEnvironmentVariable("TAVORO_TEST_DIR") + "/small.jpg";
    ASSERT_TRUE(writeFile(small, testsupport::progressiveJpeg(testsupport::filledPicture(300, 200, Qt::red))));
    EXPECT_FALSE(pictures::loadPuzzlePicture(small).isNull());
    const qint64 before = peakKb();
    try {
        pictures::loadPuzzlePicture(qEnvironmentVariable("TAVORO_TEST_DIR") + "/bomb.jpg");
        ADD_FAILURE() << "loaded";
    } catch (const errors::Failure& f) {
        EXPECT_EQ(f.number(), errors::ErrInvalidPicture);
    }
    const qint64 grown = peakKb() - before;
    std::cout << "[          ] progressive JPEG bomb: peak memory grew by " << grown / 1024
              << " MB\n";
    EXPECT_LT(grown, 64 * 1024);
}

// ---- Champions --------------------------------------------------------------

namespace {

class BadChampions : public testsupport::ChampionsTest {};
using Row3 = std::array<QString, 3>;

}  // namespace

// A solved 5 x 5 slide game in 1 move and 1 second meets each bad list: the
// window shows it in row 1, nothing is reported, and everything else the file
// held stays.
TEST_F(BadChampions, AResultIsRankedAndStoredWhateverTheListHolds)
{
    QByteArray tenMegabytes;
    for (int k = 0; tenMegabytes.size() < (10 << 20); ++k)
        tenMegabytes += "k" + QByteArray::number(k) + "=" + QByteArray(60, 'q') + "\r\n";
    const QByteArray junkValues[] = {"zz", "", "GGGG", "0", "123", "ABC", QByteArray(600, 'F'),
                                     "%%%", "\xff\xfe", "-1"};
    struct Row {
        const char* input;
        std::function<QByteArray()> file;
    } rows[] = {
        {"every value of the section junk",
         [&] {
             QByteArray f = "[m50]\r\n";
             for (int k = 0; k < 10; ++k)
                 f += QByteArray::number(k + 1) + "=" + junkValues[k] + "\r\n";
             return f;
         }},
        {"a section of 500 keys",
         [&] {
             QByteArray f = "[m50]\r\n";
             for (int k = 1; k <= 500; ++k)
                 f += QByteArray::number(k) + "=" +
                      encode(QString("0000900009N%1").arg(k)).toLatin1() + "\r\n";
             return f;
         }},
        {"a file of 10 MB", [&] { return "[m50]\r\n[Junk]\r\n" + tenMegabytes; }},
    };
    const QByteArray other = "[m30]\r\n1=" + encode("0000200002Kept").toLatin1() + "\r\n";
    for (const Row& c : rows) {
        SCOPED_TRACE(c.input);
        const QByteArray before = other + c.file();
        ASSERT_TRUE(testsupport::writeFile(hsc(), before));
        names = {"Zed"};
        open(5, 0, "0000100001");
        EXPECT_TRUE(errors.reports.empty());
        EXPECT_EQ(row(1), (Row3{"Zed", "1", "1"}));
        EXPECT_TRUE(warnings.isEmpty());
        EXPECT_EQ(stored("m50").front(), "0000100001Zed");
        EXPECT_EQ(stored("m30").front(), "0000200002Kept");
        const QByteArray after = hscBytes();
        EXPECT_TRUE(after.startsWith(other));
        if (before.size() > (10 << 20))
            EXPECT_TRUE(after.endsWith(tenMegabytes));
        if (before.contains("\r\n500="))
            EXPECT_EQ(profile::ProfileFile(after).keys("m50").size(), 500);
        errors.reports.clear();
        w.reset();
    }
}

// ---- The folder: read-only file or folder, a full disk ------------------------

namespace {

// Runs the folder row `name` in a child over `dir`; the child checks the row.
void runFolderRow(const char* name, const QString& dir, testsupport::ChildOptions o)
{
    QTemporaryDir tmp;  // the child's own temporary folder
    ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 01777), 0);
    o.env.push_back({"TAVORO_TEST_CHILD", "1"});
    o.env.push_back({"TAVORO_TEST_DIR", QFile::encodeName(dir)});
    o.env.push_back({"TAVORO_TEST_ROW", name});
    o.env.push_back({"TMPDIR", QFile::encodeName(tmp.path())});
    o.env.push_back({"HOME", QFile::encodeName(tmp.path())});
    const auto r = testsupport::runTestInChild("BadSettings.DISABLED_FolderRowChild", o);
    EXPECT_TRUE(r.exited && r.status == 0) << name << ": child status " << r.status;
}

QStringList filesIn(const QString& dir)
{
    QStringList names =
        QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

}  // namespace

// A read-only Tavoro.ini holding a bad size, as a player: the size is
// reported at each start (it cannot be mended), the default is played, and the
// file is not touched.
TEST_F(BadSettings, AReadOnlySettingsFileIsReadAndLeftAlone)
{
    const QByteArray before = "[Optionen]\r\nSize=99\r\nMode=1\r\n";
    ASSERT_TRUE(writeFile(ini(), before));
    ASSERT_TRUE(testsupport::giveToNobody(folder) && testsupport::giveToNobody(ini()));
    ASSERT_EQ(::chmod(QFile::encodeName(ini()).constData(), 0444), 0);
    testsupport::ChildOptions o;
    o.unprivileged = ::geteuid() == 0;
    runFolderRow("read-only file", folder, o);
    EXPECT_EQ(readFile(ini()), before);
    EXPECT_EQ(filesIn(folder), QStringList{"Tavoro.ini"});
}

// A read-only program folder: with a writable Tavoro.ini the settings are
// written into it in place; without one the game starts with its defaults.
TEST_F(BadSettings, AReadOnlyProgramFolderStillStartsAndKeepsWhatItCan)
{
    ASSERT_TRUE(writeFile(ini(), "[Optionen]\r\nSize=7\r\n"));
    ASSERT_TRUE(testsupport::giveToNobody(folder) && testsupport::giveToNobody(ini()));
    ASSERT_EQ(::chmod(QFile::encodeName(ini()).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    testsupport::ChildOptions o;
    o.unprivileged = ::geteuid() == 0;
    runFolderRow("read-only folder", folder, o);
    EXPECT_EQ(readFile(ini()), "[Optionen]\r\nSize=7\r\nPlayMusic=1\r\n");
    ASSERT_TRUE(QFile::remove(ini()) || ::geteuid() != 0);
    if (QFile::exists(ini()))
        GTEST_SKIP() << "the folder is read-only to this user, so the file stays";
    runFolderRow("read-only folder, no file", folder, o);
    EXPECT_EQ(filesIn(folder), QStringList{});
    ::chmod(QFile::encodeName(folder).constData(), 0700);
}

// The disk fills up: every write fails, the file keeps every byte and no
// stray file is left beside it. A small tmpfs where mounting is allowed, else a
// limit on the size of files (RLIMIT_FSIZE) in the child.
TEST_F(BadSettings, AFullDiskLosesNothing)
{
    testsupport::ChildOptions o;
    QByteArray before;
    if (::geteuid() == 0 && testsupport::canMountTmpfs()) {
        o.tmpfsAt = folder;
        o.tmpfsBytes = 64 * 1024;
        o.env.push_back({"TAVORO_TEST_DISK", "tmpfs"});
        std::cout << "[          ] disk full: a tmpfs of 64 KiB\n";
    } else {
        before = "[Optionen]\r\nSize=7\r\n";
        ASSERT_TRUE(writeFile(ini(), before));
        o.fileSizeLimit = before.size();
        o.env.push_back({"TAVORO_TEST_DISK", "fsize"});
        std::cout << "[          ] disk full: a file size limit (no tmpfs can be mounted)\n";
    }
    runFolderRow("disk full", folder, o);
    if (!before.isEmpty())
        EXPECT_EQ(readFile(ini()), before);
}

TEST_F(BadSettings, DISABLED_FolderRowChild)
{
    const QString row = qEnvironmentVariable("TAVORO_TEST_ROW");
    SCOPED_TRACE(row.toStdString());
    if (row == "read-only file") {
        const QByteArray before = readFile(ini());
        start();
        EXPECT_EQ(reported(), QStringList{"mnuSize_Click"});
        EXPECT_EQ(applied().size, 5);
        EXPECT_EQ(applied().mode, 1);
        EXPECT_EQ(readFile(ini()), before);
    } else if (row == "read-only folder") {
        start();
        EXPECT_EQ(reported(), QStringList{});
        EXPECT_EQ(applied().size, 7);
    } else if (row == "read-only folder, no file") {
        start();
        EXPECT_EQ(reported(), QStringList{});
        EXPECT_EQ(applied(), Applied{});
    } else if (row == "disk full") {
        const QByteArray before = "[Optionen]\r\nSize=7\r\n" + QByteArray(2000, ';') + "\r\n";
        QStringList expectedFiles{"Tavoro.ini"};
        if (qEnvironmentVariable("TAVORO_TEST_DISK") == "tmpfs") {
            ASSERT_TRUE(writeFile(ini(), before));
            // Fill the rest of the disk.
            QFile filler(folder + "/filler");
            ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(512, 'f');
            while (filler.write(block) == block.size()) {
            }
            filler.close();
            expectedFiles << "filler";
        }
        const QByteArray held = readFile(ini());
        start();
        // Told once, however many settings could not be stored.
        EXPECT_EQ(reported(), QStringList{"SaveIni"});
        EXPECT_EQ(applied().size, 7);
        EXPECT_EQ(readFile(ini()), held);
        expectedFiles.sort();
        EXPECT_EQ(filesIn(folder), expectedFiles);
    } else {
        ADD_FAILURE() << "no such row";
    }
    errors.reports.clear();
}
