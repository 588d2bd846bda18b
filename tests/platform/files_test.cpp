// The game's files are written and read only as regular files: a link or a
// FIFO planted under a file's name is refused, never written through or
// waited on.

#include "platform/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
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

}  // namespace
