// The running game kept on disk: what it holds, and a file that holds no
// game a board can take is set aside, never trusted and never in the way.

#include "platform/appinfo.h"
#include "platform/seams.h"
#include "services/seams.h"
#include "platform/files.h"
#include "services/kept_game.h"
#include "support/child_process.h"
#include "support/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <unistd.h>

namespace {

class KeptGame : public ::testing::Test {
protected:
    QTemporaryDir dir;
    void SetUp() override { platform::seams().programFolder = dir.path(); }
    void TearDown() override { platform::resetSeams(); }

    keptgame::Game fourByFour() const
    {
        keptgame::Game g;
        g.size = 4;
        g.mode = game::Mode::Slide;
        g.album = 1;
        g.file = QStringLiteral("Strand im Mai.jpg");
        g.pieces = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15};
        g.moves = 17;
        g.seconds = 245;
        return g;
    }
};

}  // namespace

TEST_F(KeptGame, WhatIsKeptComesBackAndTheFileGoesWhenForgotten)
{
    EXPECT_EQ(keptgame::path(), dir.path() + "/Tavoro saved game.ini");
    const keptgame::Game g = fourByFour();
    keptgame::keep(g);
    keptgame::flush();
    EXPECT_EQ(testsupport::readFile(keptgame::path()),
              "[Game]\r\nSize=4\r\nMode=0\r\nAlbum=1\r\nPicture=101\r\nFile=Strand im Mai.jpg\r\n"
              "Pieces=1,2,3,4,5,6,7,8,9,10,11,12,13,14,0,15\r\nMoves=17\r\nSeconds=245\r\n"
              "Helped=0\r\n");
    QString problem;
    const auto back = keptgame::load(&problem);
    ASSERT_TRUE(back);
    EXPECT_TRUE(problem.isEmpty());
    EXPECT_EQ(back->pieces, g.pieces);
    EXPECT_EQ(back->file, g.file);
    EXPECT_EQ(back->moves, 17);
    EXPECT_EQ(back->seconds, 245);

    // A picture name beyond Windows-1252 comes back exactly.
    keptgame::Game foreign = g;
    foreign.file = QString::fromUtf8("Москва.jpg");
    keptgame::keep(foreign);
    keptgame::flush();
    const auto foreignBack = keptgame::load(&problem);
    ASSERT_TRUE(foreignBack);
    EXPECT_EQ(foreignBack->file, foreign.file);

    keptgame::forget();
    keptgame::flush();
    EXPECT_FALSE(QFile::exists(keptgame::path()));
    EXPECT_FALSE(keptgame::load(&problem));
    EXPECT_TRUE(problem.isEmpty());  // no file is no problem
}

TEST_F(KeptGame, AFileThatHoldsNoGameIsSetAside)
{
    const QByteArray good = keptgame::encode(fourByFour());
    const auto with = [&](const char* key, const char* value) {
        QByteArray b = good;
        const QByteArray k = QByteArray(key) + "=";
        const qsizetype at = b.indexOf(k);
        const qsizetype end = b.indexOf("\r\n", at);
        return b.replace(at, end - at, k + value);
    };
    const struct { const char* name; QByteArray bytes; } cases[] = {
        {"empty", QByteArray()},
        {"not an INI file", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)},
        {"size out of range", with("Size", "9")},
        {"too small", with("Size", "2")},
        {"pieces missing", with("Pieces", "")},
        {"too few pieces", with("Pieces", "1,2,3")},
        {"a piece twice", with("Pieces", "1,1,3,4,5,6,7,8,9,10,11,12,13,14,0,15")},
        {"a piece no number", with("Pieces", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,0,x")},
        {"cannot slide home", with("Pieces", "2,1,3,4,5,6,7,8,9,10,11,12,13,14,15,0")},
        {"already solved", with("Pieces", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,0")},
        {"moves negative", with("Moves", "-3")},
        {"a file in another folder", with("File", "../../.bashrc")},
        {"huge", good + QByteArray(8000, ';')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(testsupport::writeFile(keptgame::path(), c.bytes));
        QString problem;
        EXPECT_FALSE(keptgame::load(&problem));
        EXPECT_FALSE(problem.isEmpty());
        EXPECT_FALSE(QFile::exists(keptgame::path()));
        EXPECT_EQ(testsupport::readFile(keptgame::path() + ".damaged"), c.bytes);
    }

    // A link planted under the name is not followed, and set aside itself.
    const QString target = dir.filePath("elsewhere.ini");
    ASSERT_TRUE(testsupport::writeFile(target, good));
    ASSERT_EQ(::symlink(target.toLocal8Bit().constData(), keptgame::path().toLocal8Bit().constData()), 0);
    QString problem;
    EXPECT_FALSE(keptgame::load(&problem));
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(keptgame::path()));
    EXPECT_EQ(testsupport::readFile(target), good);
}

namespace {

// Waits for what the worker hands to the window's thread.
void settle()
{
    keptgame::flush();
    QCoreApplication::processEvents();
}

}  // namespace

// Two copies of the game on one folder: the second never takes the game the
// first plays (it is told and starts its own), both are kept, and a later
// start continues the first kept game no copy plays.
TEST_F(KeptGame, TwoCopiesPlayTwoSavedGamesAndLoseNeither)
{
    QStringList told;
    services::seams().warn = [&](QWidget*, const QString& text) { told << text; };
    services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1").arg(key % 1000); };
    const QString first = dir.path() + "/Tavoro saved game.ini";
    const QString second = dir.path() + "/Tavoro saved game 2.ini";
    keptgame::Game g = fourByFour();
    keptgame::keep(g);
    settle();
    ASSERT_TRUE(QFile::exists(first));

    QTemporaryDir elsewhere;
    const auto startAgainIn = [&](const QString& folder) {
        platform::seams().programFolder = elsewhere.path();
        keptgame::path();  // lets go of the claim on the folder
        platform::seams().programFolder = folder;
    };
    {
        // The first copy plays it: this one, started now, keeps its own.
        startAgainIn(elsewhere.path());  // this copy lets go of the first
        files::PathClaim firstCopy(first);
        ASSERT_TRUE(firstCopy.held());
        startAgainIn(dir.path());
        EXPECT_EQ(keptgame::path(), second);
        QString problem;
        EXPECT_FALSE(keptgame::load(&problem));
        settle();
        EXPECT_EQ(told, QStringList{"m414"});
        g.moves = 3;
        keptgame::keep(g);
        settle();
        EXPECT_EQ(keptgame::load(&problem)->moves, 3);
        EXPECT_EQ(keptgame::load(&problem).value().moves, 3);
        EXPECT_EQ(told.size(), 1) << "told once";
    }
    // Both quit: both games are there; the next start continues the first.
    startAgainIn(dir.path());
    EXPECT_EQ(keptgame::path(), first);
    QString problem;
    EXPECT_EQ(keptgame::load(&problem)->moves, 17);
    // That one ended: the start after it continues the second.
    keptgame::forget();
    settle();
    startAgainIn(dir.path());
    EXPECT_EQ(keptgame::path(), second);
    EXPECT_EQ(keptgame::load(&problem)->moves, 3);
    services::resetSeams();
}

// A full disk keeps the game from being kept: the player is told once, and
// what was kept before stays whole.
TEST_F(KeptGame, AGameThatCannotBeKeptIsToldOnce)
{
    keptgame::keep(fourByFour());
    keptgame::flush();
    const QByteArray before = testsupport::readFile(keptgame::path());
    testsupport::ChildOptions o;
    o.fileSizeLimit = 16;  // no game fits
    o.env = {{"TAVORO_TEST_CHILD", "1"}, {"TAVORO_TEST_DIR", QFile::encodeName(dir.path())}};
    const auto r = testsupport::runTestInChild("KeptGame.DISABLED_KeepsOnAFullDisk", o);
    EXPECT_TRUE(r.exited && r.status == 0) << "child status " << r.status;
    EXPECT_EQ(testsupport::readFile(keptgame::path()), before);
}

TEST_F(KeptGame, DISABLED_KeepsOnAFullDisk)
{
    platform::seams().programFolder = qEnvironmentVariable("TAVORO_TEST_DIR");
    QStringList told;
    services::seams().warn = [&](QWidget*, const QString& text) { told << text; };
    services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1 %2").arg(key % 1000).arg("%1"); };
    keptgame::Game g = fourByFour();
    for (int moves : {20, 21, 22}) {
        g.moves = moves;
        keptgame::keep(g);
        settle();
    }
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.front().startsWith("m413 ")) << qPrintable(told.front());
    EXPECT_TRUE(told.front().contains("Tavoro saved game")) << qPrintable(told.front());
    services::resetSeams();
}

// A saved game the player may not write (left read-only, or by another
// account) is replaced where the folder allows it, not silently kept old.
TEST_F(KeptGame, AFileThatMayNotBeWrittenIsReplacedWhereTheFolderAllows)
{
    keptgame::keep(fourByFour());
    keptgame::flush();
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to plant another account's file";
    // The player is "nobody"; the file is root's, the folder the player's.
    ASSERT_TRUE(testsupport::giveToNobody(dir.path()));
    ASSERT_EQ(::chmod(QFile::encodeName(keptgame::path()).constData(), 0644), 0);
    testsupport::ChildOptions o;
    o.unprivileged = true;
    o.env = {{"TAVORO_TEST_CHILD", "1"}, {"TAVORO_TEST_DIR", QFile::encodeName(dir.path())}};
    const auto r = testsupport::runTestInChild("KeptGame.DISABLED_KeepsOverAForeignFile", o);
    EXPECT_TRUE(r.exited && r.status == 0) << "child status " << r.status;
    QString problem;
    const auto kept = keptgame::load(&problem);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->moves, 30);
}

TEST_F(KeptGame, DISABLED_KeepsOverAForeignFile)
{
    platform::seams().programFolder = qEnvironmentVariable("TAVORO_TEST_DIR");
    QStringList told;
    services::seams().warn = [&](QWidget*, const QString& text) { told << text; };
    keptgame::Game g = fourByFour();
    g.moves = 30;
    keptgame::keep(g);
    settle();
    EXPECT_TRUE(told.isEmpty()) << qPrintable(told.join("\n"));
    services::resetSeams();
}

TEST_F(KeptGame, EverySessionStateComesBackWithItsUndoList)
{
    long long now = 0;
    game::Session s([&now] { return now; });
    keptgame::Game start = fourByFour();
    ASSERT_TRUE(s.restore(start));
    s.resume();
    // The empty place is at 14: slides along its row and column, undone and
    // redone, and a long game whose list reaches the undo depth.
    const std::vector<std::function<void()>> steps = {
        [&] { s.press(12); },  [&] { s.press(0); }, [&] { s.undo(); },
        [&] { now += 4321; },  [&] { s.redo(); },   [&] { s.undo(); s.undo(); },
        [&] {
            for (int i = 0; i < game::Session::UndoDepth + 5; ++i)
                s.press(i % 2 ? 14 : 12);
        },
        [&] { s.undo(); s.undo(); s.undo(); s.hint(); },
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        steps[i]();
        keptgame::Game kept = start;
        static_cast<game::Snapshot&>(kept) = s.snapshot();
        const QByteArray bytes = keptgame::encode(kept);
        EXPECT_LT(bytes.size(), 4096);  // what the loader reads at most
        const auto back = keptgame::decode(bytes);
        ASSERT_TRUE(back);
        EXPECT_EQ(static_cast<const game::Snapshot&>(*back), s.snapshot());
        game::Session again([] { return 0; });
        ASSERT_TRUE(again.restore(*back));
        EXPECT_EQ(again.snapshot(), s.snapshot());
    }
}

TEST_F(KeptGame, UndoListsThatCannotBeReadAreLeftOutAndTheGameStays)
{
    keptgame::Game g = fourByFour();
    g.undo = {{14, 15}};
    g.redo = {{12, 14}};
    const QByteArray good = keptgame::encode(g);
    ASSERT_TRUE(good.contains("Undo=14-15\r\nRedo=12-14\r\n"));
    for (const char* bad : {"14-", "x-1", "14-15-3", "14-99", "-1-2"}) {
        SCOPED_TRACE(bad);
        QByteArray bytes = good;
        bytes.replace("Undo=14-15", QByteArray("Undo=") + bad);
        const auto back = keptgame::decode(bytes);
        ASSERT_TRUE(back);
        EXPECT_TRUE(back->undo.empty());
        EXPECT_TRUE(back->redo.empty());
        EXPECT_EQ(back->pieces, g.pieces);
    }
}
