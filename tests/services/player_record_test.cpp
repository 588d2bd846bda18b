// The player's record in ~/.config: what one run stores the next reads, and
// what another program or account left under its name is neither waited on,
// nor written through, nor believed beyond sane numbers.

#include "services/player_record.h"
#include "services/seams.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace {

class PlayerRecordFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file;

    void SetUp() override
    {
        file = dir.filePath("config/Tavoro.conf");
        services::seams().startMemoryFile = file;
    }
    void TearDown() override { services::resetSeams(); }
};

TEST_F(PlayerRecordFile, WhatOneRunStoresTheNextReadsInTheFormEarlierVersionsRead)
{
    EXPECT_FALSE(Allgemein::PlayerRecord().startedBefore());
    {
        Allgemein::PlayerRecord r;
        r.setStartedBefore();
        r.setWindow(QRect(-40, 30, 900, 650), true);
        ASSERT_TRUE(r.store());
    }
    const QByteArray bytes = testsupport::readFile(file);
    EXPECT_TRUE(bytes.contains("Normal=@Rect(-40 30 900 650)")) << bytes.constData();
    const Allgemein::PlayerRecord again;
    EXPECT_TRUE(again.startedBefore());
    EXPECT_EQ(again.windowPlace(), QRect(-40, 30, 900, 650));
    EXPECT_EQ(again.windowMaximized(), true);
    // A record written by Qt's settings (an earlier version) reads the same.
    testsupport::writeFile(file, "[Start]\nStartedBefore=true\n\n[Window]\n"
                                 "Maximized=false\nNormal=@Rect(10 20 1000 700)\n");
    const Allgemein::PlayerRecord earlier;
    EXPECT_TRUE(earlier.startedBefore());
    EXPECT_EQ(earlier.windowPlace(), QRect(10, 20, 1000, 700));
    EXPECT_EQ(earlier.windowMaximized(), false);
}

TEST_F(PlayerRecordFile, NumbersBeyondAnyScreenAreNotBelieved)
{
    const char* values[] = {"@Rect(0 0 2147483647 600)", "@Rect(0 0 -800 600)",
                            "@Rect(2147483640 0 800 600)", "@Rect(0 0 800)", "@Size(800 600)",
                            "@Rect(0 0 0 0)", "garbage"};
    QDir().mkpath(dir.filePath("config"));
    for (const char* v : values) {
        SCOPED_TRACE(v);
        testsupport::writeFile(file, QByteArray("[Window]\nNormal=") + v + "\n");
        EXPECT_FALSE(Allgemein::PlayerRecord().windowPlace());
    }
    // Large but sane: believed, and shrunk onto the screen where it opens.
    testsupport::writeFile(file, "[Window]\nNormal=@Rect(0 0 30000 30000)\n");
    EXPECT_EQ(Allgemein::PlayerRecord().windowPlace(), QRect(0, 0, 30000, 30000));
}

TEST_F(PlayerRecordFile, ALinkAFifoOrAHugeFileIsNeitherFollowedNorWaitedOn)
{
    QDir().mkpath(dir.filePath("config"));
    const QString players = dir.filePath("letter.txt");
    testsupport::writeFile(players, "[Start]\nStartedBefore=true\n");
    const struct { const char* what; std::function<void()> plant; } cases[] = {
        {"link", [&] { QFile::link(players, file); }},
        {"fifo", [&] { ::mkfifo(QFile::encodeName(file).constData(), 0600); }},
        {"huge", [&] {
             testsupport::writeFile(file, "[Start]\nStartedBefore=true\n" + QByteArray(70000, ';'));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(file);
        c.plant();
        Allgemein::PlayerRecord r;
        EXPECT_FALSE(r.startedBefore());
        r.setWindow(QRect(0, 0, 800, 600), false);
        r.store();
        EXPECT_EQ(testsupport::readFile(players), "[Start]\nStartedBefore=true\n");
    }
}

}  // namespace
