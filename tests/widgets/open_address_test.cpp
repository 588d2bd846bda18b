// An address opened from a window: what the desktop's opener reports decides
// whether the player is told that no program took it, with the address to
// copy.

#include "platform/seams.h"
#include "services/seams.h"
#include "widgets/open_address.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Puts a stand-in opener first on the path.
class FakeOpener : public ::testing::Test {
protected:
    QTemporaryDir bin;
    QByteArray oldPath = qgetenv("PATH");
    QStringList told;

    void SetUp() override
    {
        services::seams().tell = [this](QWidget*, const QString& text) { told << text; };
        services::seams().GetLang = [](int16_t n) { return n % 1000 == 241 ? QStringLiteral("No program was found to open %1.") : QString(); };
        qputenv("PATH", QFile::encodeName(bin.path()) + ":" + oldPath);
    }
    void TearDown() override
    {
        qputenv("PATH", oldPath);
        services::resetSeams();
        platform::resetSeams();
    }
    void opener(const QByteArray& script)
    {
        const QString path = bin.filePath("xdg-open");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + script + "\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

TEST_F(FakeOpener, WhatTheOpenerReportsDecides)
{
    const struct { const char* script; bool toldNoProgram; } cases[] = {
        {"echo \"xdg-open: no method available for opening '$1'\" >&2; exit 3", true},
        {"exit 4", true},
        {"kill -9 $$", true},
        {"exit 0", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        told.clear();
        opener(c.script);
        widgets::openOrSaySo(nullptr, "mailto:help@example.org", "help@example.org");
        QTest::qWaitFor([&] { return !told.isEmpty(); }, c.toldNoProgram ? 5000 : 300);
        ASSERT_EQ(told.size(), c.toldNoProgram ? 1 : 0);
        if (c.toldNoProgram)
            EXPECT_TRUE(told.front().contains("help@example.org")) << qPrintable(told.front());
    }
    // A web address is shown as it is, to be copied.
    told.clear();
    opener("exit 3");
    widgets::openOrSaySo(nullptr, "https://example.org/tavoro", "Tavoro");
    QTest::qWaitFor([&] { return !told.isEmpty(); }, 5000);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.front().contains("https://example.org/tavoro")) << qPrintable(told.front());
}

}  // namespace
