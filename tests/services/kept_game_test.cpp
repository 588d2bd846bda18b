// The running game kept on disk: what it holds, and a file that holds no
// game a board can take is set aside, never trusted and never in the way.

#include "platform/appinfo.h"
#include "platform/seams.h"
#include "services/seams.h"
#include "services/kept_game.h"
#include "support/files.h"

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
