#include "services/resources.h"
#include "services/seams.h"
#include "support/files.h"
#include "support/scripted_errors.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

class Resources : public ::testing::Test {
protected:
    void SetUp() override { services::seams().resourceRoot = ":/testres"; }
    void TearDown() override { services::resetSeams(); }

    static QByteArray readFile(const QString& p) { return testsupport::readFile(p); }
    static void writeFile(const QString& p, const QByteArray& bytes)
    {
        ASSERT_TRUE(testsupport::writeFile(p, bytes));
    }
};

}  // namespace

TEST_F(Resources, FoundByTypeAndNumberInAnyCase)
{
    EXPECT_EQ(resources::load("custom", 1000), resources::load("CUSTOM", 1000));
    EXPECT_TRUE(resources::load("CUSTOM", 1000).startsWith("[lang]\r\n0106=Z\xfcge"));
    EXPECT_EQ(resources::loadBitmap(201).size(), QSize(2, 2));
}

TEST_F(Resources, MissingAndBrokenResourcesFail)
{
    try {
        resources::load("MIDI", 1999);
        ADD_FAILURE();
    } catch (const errors::Failure& f) {
        EXPECT_EQ(f.number(), 326);
    }
    try {
        resources::loadBitmap(202);
        ADD_FAILURE();
    } catch (const errors::Failure& f) {
        EXPECT_EQ(f.number(), 481);
    }
    // Bitmaps are read as BMP only: a picture of another format is none.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(&buffer, "PNG"));
    EXPECT_TRUE(resources::readBmp(png).isNull());
    EXPECT_FALSE(resources::readBmp(resources::load("BITMAP", 201)).isNull());
}

TEST_F(Resources, SaveReplacesTheWholeFile)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("~tmp.lng");
    writeFile(target, QByteArray(500, 'x'));  // longer than the resource
    EXPECT_EQ(ModResFiles::SaveResItemToDisk(1000, "CUSTOM", target), 0);
    EXPECT_EQ(readFile(target), resources::load("CUSTOM", 1000));
}

TEST_F(Resources, SaveToAFileInUseOrReadOnlyKeepsItSilently)
{
    testsupport::ScriptedErrors service;
    QTemporaryDir dir;

    // In use: the music player holds a lock on it.
    const QString inUse = dir.filePath("~tmp.mid");
    writeFile(inUse, "old track");
    const int holder = ::open(QFile::encodeName(inUse).constData(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_SH), 0);
    ModResFiles::SaveResItemToDisk(1000, "CUSTOM", inUse);
    ::close(holder);
    EXPECT_EQ(readFile(inUse), "old track");

    // A link is never written through.
    const QString victim = dir.filePath("victim");
    writeFile(victim, "precious");
    const QString link = dir.filePath("~tmp.lng");
    ASSERT_TRUE(QFile::link(victim, link));
    ModResFiles::SaveResItemToDisk(1000, "CUSTOM", link);
    EXPECT_EQ(readFile(victim), "precious");

    EXPECT_TRUE(service.reports.empty());
}

TEST_F(Resources, SaveReportsOtherFailures)
{
    testsupport::ScriptedErrors service;
    QTemporaryDir dir;
    ModResFiles::SaveResItemToDisk(1999, "MIDI", dir.filePath("a.mid"));  // no such resource
    ModResFiles::SaveResItemToDisk(1000, "CUSTOM", dir.filePath("no/such/folder/x"));
    ASSERT_EQ(service.reports.size(), 2u);
    EXPECT_EQ(service.reports[0].object, "ModResFiles");
    EXPECT_EQ(service.reports[0].procedure, "SaveResItemToDisk");
    EXPECT_EQ(service.reports[0].failure.number, 326);
    EXPECT_EQ(service.reports[1].failure.number, 53);
}

// A write that fails halfway (the disk full) and is tried again writes the
// whole file from its start; a missing resource answered with Ignore leaves
// the file as it was.
TEST_F(Resources, ARetriedWriteStartsAgainAndIgnoreKeepsTheFile)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("~tmp.lng");
    const QByteArray table = resources::load("CUSTOM", 1000);
    ASSERT_GT(table.size(), 16);

    struct sigaction ignore {}, old {};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(::sigaction(SIGXFSZ, &ignore, &old), 0);
    rlimit limit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    struct Room : errors::ErrorService {
        rlimit limit {};
        int asked = 0;
        int16_t OnError(const QString&, const QString&, const errors::FailureRecord&) override
        {
            ++asked;
            ::setrlimit(RLIMIT_FSIZE, &limit);  // room again
            return errors::Retry;
        }
    } room;
    room.limit = limit;
    auto* previous = errors::setErrorService(&room);
    const rlimit small{16, limit.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ModResFiles::SaveResItemToDisk(1000, "CUSTOM", target);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::sigaction(SIGXFSZ, &old, nullptr);
    errors::setErrorService(previous);
    EXPECT_EQ(room.asked, 1);
    EXPECT_EQ(readFile(target), table);

    testsupport::ScriptedErrors service;
    service.fallback = errors::Ignore;
    ModResFiles::SaveResItemToDisk(1999, "CUSTOM", target);
    EXPECT_EQ(service.reports.size(), 1u);
    EXPECT_EQ(readFile(target), table);
}

TEST(TempDir, PrivateFolderEndingInASeparator)
{
    QTemporaryDir base;
    const QByteArray oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(base.path()));
    const QString dir = Allgemein::GetTempDir();
    EXPECT_TRUE(dir.endsWith('/'));
    EXPECT_TRUE(dir.startsWith(base.path()));
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(dir).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(st.st_uid, ::getuid());

    // A link planted where the folder belongs, or a folder of another user's:
    // a fresh private folder instead, the same for the rest of the run, and
    // no dialog.
    QDir(dir).removeRecursively();
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.path(), dir.chopped(1)));
    testsupport::ScriptedErrors service;
    const QString fresh = Allgemein::GetTempDir();
    EXPECT_NE(fresh, dir);
    EXPECT_TRUE(fresh.startsWith(dir.chopped(1) + "-"));
    ASSERT_EQ(::lstat(QFile::encodeName(fresh).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(Allgemein::GetTempDir(), fresh);
    if (::geteuid() == 0) {
        QFile::remove(dir.chopped(1));
        ASSERT_TRUE(QDir().mkdir(dir.chopped(1)));
        ASSERT_EQ(::chown(QFile::encodeName(dir).constData(), 65534, 65534), 0);
        EXPECT_EQ(Allgemein::GetTempDir(), fresh);
    }
    EXPECT_TRUE(service.reports.empty());

    // No temporary folder at all: reported once, and /tmp serves instead.
    qputenv("TMPDIR", QFile::encodeName(base.filePath("gone")));
    const QString instead = Allgemein::GetTempDir();
    EXPECT_TRUE(instead.startsWith("/tmp/tavoro-")) << instead.toStdString();
    EXPECT_EQ(Allgemein::GetTempDir(), instead);
    ASSERT_EQ(service.reports.size(), 1u);
    EXPECT_EQ(service.reports[0].procedure, "GetTempDir");
    qputenv("TMPDIR", oldTmp);
}

TEST(TempDir, TheRuntimeFolderComesFirst)
{
    QTemporaryDir runtime, base;
    const QByteArray oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(base.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    EXPECT_EQ(Allgemein::GetTempDir(), runtime.filePath("tavoro") + "/");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", oldTmp);
}

TEST(TrimNull, CutsAtTheFirstNul)
{
    EXPECT_EQ(Allgemein::TrimNull("abc"), "abc");
    EXPECT_EQ(Allgemein::TrimNull(QString::fromLatin1("ab\0cd", 5)), "ab");
    EXPECT_EQ(Allgemein::TrimNull(QString::fromLatin1("\0abc", 4)), "");
    EXPECT_EQ(Allgemein::TrimNull(""), "");
}
