#include "platform/appinfo.h"
#include "platform/seams.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using appinfo::DataFolderFacts;

TEST(DataFolder, ChoiceFollowsTheProgramFolderAndTheEnvironment)
{
    const QString prog = QStringLiteral("/opt/tavoro");
    const struct {
        const char* name;
        bool writable;
        const char* xdg;
        const char* home;
        const char* expected;
    } cases[] = {
        {"writable program folder wins over everything", true, "/x/data", "/home/anna", "/opt/tavoro"},
        {"read-only, XDG_DATA_HOME set", false, "/x/data", "/home/anna", "/x/data/Tavoro"},
        {"read-only, XDG_DATA_HOME with a trailing slash", false, "/x/data/", "/home/anna", "/x/data/Tavoro"},
        {"read-only, XDG_DATA_HOME unset", false, "", "/home/anna", "/home/anna/.local/share/Tavoro"},
        {"a second player has a folder of their own", false, "", "/home/ben", "/home/ben/.local/share/Tavoro"},
        {"a relative XDG_DATA_HOME is ignored", false, "data", "/home/anna", "/home/anna/.local/share/Tavoro"},
        {"home with a trailing slash", false, "", "/home/anna/", "/home/anna/.local/share/Tavoro"},
        {"XDG_DATA_HOME at the root", false, "/", "/home/anna", "/Tavoro"},
        {"no home and no XDG_DATA_HOME: nowhere better", false, "", "", "/opt/tavoro"},
    };
    for (const auto& c : cases) {
        DataFolderFacts f;
        f.programFolder = prog;
        f.programFolderWritable = c.writable;
        f.xdgDataHome = QString::fromUtf8(c.xdg);
        f.home = QString::fromUtf8(c.home);
        EXPECT_EQ(appinfo::chooseDataFolder(f), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(DataFolder, OnlyAnExistingWritableFolderKeepsTheFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    EXPECT_TRUE(appinfo::mayKeepFilesIn(dir.filePath("sub")));
    EXPECT_FALSE(appinfo::mayKeepFilesIn(dir.filePath("missing")));
    QFile file(dir.filePath("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_FALSE(appinfo::mayKeepFilesIn(file.fileName()));

    // A shared copy: a folder other accounts may write, or another's folder,
    // keeps no player's files (links could be planted there).
    const QByteArray sub = QFile::encodeName(dir.filePath("sub"));
    for (mode_t mode : {0777, 01777, 0775, 0757}) {
        ASSERT_EQ(::chmod(sub.constData(), mode), 0);
        EXPECT_FALSE(appinfo::mayKeepFilesIn(dir.filePath("sub"))) << std::oct << mode;
    }
    ASSERT_EQ(::chmod(sub.constData(), 0755), 0);
    EXPECT_TRUE(appinfo::mayKeepFilesIn(dir.filePath("sub")));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(sub.constData(), 65534, 65534), 0);
        EXPECT_FALSE(appinfo::mayKeepFilesIn(dir.filePath("sub")));
    }
}

TEST(DataFolder, TestsPointThePlayersFilesAtTheProgramFolder)
{
    QTemporaryDir dir;
    platform::seams().programFolder = dir.path();
    EXPECT_EQ(appinfo::dataFolder(), dir.path());
    platform::resetSeams();
}
