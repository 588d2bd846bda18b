// The game's files are written and read only as regular files: a link or a
// FIFO planted under a file's name is refused, never written through or
// waited on.

#include "platform/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

enum class Planted { Nothing, Regular, Link, Fifo };

struct Case {
    const char* name;
    Planted planted;
    bool writes;            // the write succeeds
    const char* afterReplace;
    const char* afterAppend;
};

class Files : public ::testing::TestWithParam<Case> {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("Tavoro.ini"));
    QString victim = dir.filePath(QStringLiteral("victim.txt"));

    void plant(Planted p)
    {
        put(victim, "victim");
        switch (p) {
        case Planted::Nothing: break;
        case Planted::Regular: put(file, "old"); break;
        case Planted::Link: ASSERT_EQ(::symlink(victim.toLocal8Bit().constData(), file.toLocal8Bit().constData()), 0); break;
        case Planted::Fifo: ASSERT_EQ(::mkfifo(file.toLocal8Bit().constData(), 0600), 0); break;
        }
    }
    // Only the file itself and the victim: no copy left behind.
    void expectNoLeftovers()
    {
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(),
                  GetParam().planted == Planted::Nothing && !GetParam().writes ? 1 : 2);
    }
};

TEST_P(Files, ReplaceTakesOnlyARegularFileOrNone)
{
    plant(GetParam().planted);
    EXPECT_EQ(files::replace(file, QByteArrayView("new")), GetParam().writes);
    EXPECT_EQ(contents(victim), "victim");
    if (GetParam().writes)
        EXPECT_EQ(contents(file), GetParam().afterReplace);
    expectNoLeftovers();
}

TEST_P(Files, AppendTakesOnlyARegularFileOrNone)
{
    plant(GetParam().planted);
    EXPECT_EQ(files::append(file, QByteArrayView("+")), GetParam().writes);
    EXPECT_EQ(contents(victim), "victim");
    if (GetParam().writes)
        EXPECT_EQ(contents(file), GetParam().afterAppend);
}

TEST_P(Files, ReadingNeverWaitsOnAFifo)
{
    plant(GetParam().planted);
    QByteArray bytes;
    const bool regular = GetParam().planted == Planted::Regular;
    EXPECT_EQ(files::readRegular(file, bytes), regular);
    if (regular)
        EXPECT_EQ(bytes, "old");
    else
        EXPECT_EQ(errno, GetParam().planted == Planted::Nothing ? ENOENT
                         : GetParam().planted == Planted::Link  ? ELOOP
                                                                : EINVAL);
}

// A new file takes only a name nobody has: whatever is there stays as it was.
TEST_P(Files, CreateNewNeverTakesANameThatIsThere)
{
    plant(GetParam().planted);
    const bool free = GetParam().planted == Planted::Nothing;
    EXPECT_EQ(files::createNew(file, QByteArrayView("new")), free);
    if (!free)
        EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(contents(victim), "victim");
    if (free || GetParam().planted == Planted::Regular)
        EXPECT_EQ(contents(file), free ? "new" : "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Planted, Files,
                         ::testing::Values(Case{"Nothing", Planted::Nothing, true, "new", "+"},
                                           Case{"Regular", Planted::Regular, true, "new", "old+"},
                                           Case{"Link", Planted::Link, false, "", ""},
                                           Case{"Fifo", Planted::Fifo, false, "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FilesReplace, KeepsTheModeOfTheFileItReplacesAndWritesItsPartsInOrder)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Tavoro.hsc"));
    put(file, "old");
    ASSERT_EQ(::chmod(file.toLocal8Bit().constData(), 0640), 0);
    ASSERT_TRUE(files::replace(file, {QByteArrayView("ab"), QByteArrayView("cd")}));
    EXPECT_EQ(contents(file), "abcd");
    struct stat st {};
    ASSERT_EQ(::stat(file.toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// Reading stops one byte past the limit, whatever the file is.
TEST(FilesRead, ReadsNoMoreThanTheLimitAndOneByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(200000, 'x'));
    f.close();
    const struct { qint64 limit; bool whole; } cases[] = {{200000, true}, {199999, false},
                                                        {10, false}, {1 << 20, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.limit);
        QByteArray bytes;
        EXPECT_EQ(files::readRegular(path, bytes, c.limit), c.whole);
        EXPECT_EQ(bytes.size(), c.whole ? 200000 : 0);
        if (!c.whole)
            EXPECT_EQ(errno, EFBIG);
        QFile again(path);
        ASSERT_TRUE(again.open(QIODevice::ReadOnly));
        QByteArray head;
        EXPECT_EQ(files::readAtMost(again, c.limit, head), c.whole);
        EXPECT_EQ(head.size(), std::min<qint64>(c.limit, 200000));  // the head is kept
    }
    // A file under /proc reports no size and is read all the same.
    QByteArray status;
    ASSERT_TRUE(files::readRegular("/proc/self/status", status, 1 << 20));
    EXPECT_TRUE(status.contains("Name:"));
}

// Another account that can read the folder (a portable copy in a folder of
// mode 0755) may lock the folder itself: the game's lock is a file of the
// player's own and is had at once all the same.
TEST(FolderLock, ALockOnTheFolderItselfDelaysNothing)
{
    QTemporaryDir folder, runtime;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const int other = ::open(QFile::encodeName(folder.path()).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    {
        files::FolderLock lock(folder.filePath("Tavoro.ini"));
        EXPECT_TRUE(lock.held());
        // The lock file lies in the player's runtime folder, private.
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(runtime.filePath("tavoro-locks")).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 077, 0u);
    }
    ::close(other);
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
}

}  // namespace
