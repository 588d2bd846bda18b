#include "platform/appinfo.h"
#include "services/settings.h"
#include "support/scripted_errors.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Allgemein;

namespace {

class Settings : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testsupport::ScriptedErrors service;

    void SetUp() override { appinfo::setProgramFolderForTesting(dir.path()); }
    void TearDown() override { appinfo::setProgramFolderForTesting({}); }

    void writeIni(const QByteArray& bytes)
    {
        ASSERT_TRUE(testsupport::writeFile(dir.filePath("Tavoro.ini"), bytes));
    }
    QByteArray readIni()
    {
        return testsupport::readFile(dir.filePath("Tavoro.ini"), "<missing>");
    }
};

}  // namespace

TEST_F(Settings, NoFileGivesTheDefaults)
{
    EXPECT_EQ(IniPath(), dir.path() + "/Tavoro.ini");
    EXPECT_EQ(GetIniInt("Optionen", "Size", 5), 5);
    EXPECT_EQ(GetIniInt("Optionen", "PlaySound", -1), -1);
    EXPECT_EQ(GetIniString("Pictures", "File", "Tavoro1.bmp"), "Tavoro1.bmp");
    EXPECT_TRUE(service.reports.empty());
}

TEST_F(Settings, ReadsWhatIsStored)
{
    writeIni("[Optionen]\r\nPlaySound=-1\r\nMode=0\r\nSize=32767\r\nSprache=-32768\r\n"
             "[Pictures]\r\nFile=" + QByteArray(300, 'f') + "\r\n");
    EXPECT_EQ(GetIniInt("optionen", "playsound", 0), -1);
    EXPECT_EQ(GetIniInt("Optionen", "Mode", 1), 0);
    EXPECT_EQ(GetIniInt("Optionen", "Size", 5), 32767);
    EXPECT_EQ(GetIniInt("Optionen", "Sprache", 0), -32768);
    EXPECT_EQ(GetIniString("Pictures", "File", ""), QString(254, 'f'));
    EXPECT_TRUE(service.reports.empty());
}

TEST_F(Settings, ANumberBeyond16BitsIsAnOverflow)
{
    writeIni("[Optionen]\r\nSize=32768\r\nMode=-40000\r\nSprache=99999999999\r\n");
    service.answers = {errors::Cancel, errors::Ignore, errors::Cancel};
    EXPECT_EQ(GetIniInt("Optionen", "Size", 5), 0);
    EXPECT_EQ(GetIniInt("Optionen", "Mode", 5), 0);
    EXPECT_EQ(GetIniInt("Optionen", "Sprache", 5), 0);
    ASSERT_EQ(service.reports.size(), 3u);
    for (const auto& r : service.reports) {
        EXPECT_EQ(r.object, "Allgemein");
        EXPECT_EQ(r.procedure, "GetIniInt");
        EXPECT_EQ(r.failure.number, 6);
    }

    // Retry reads the file again: mended meanwhile, the value comes through.
    struct Mend : errors::ErrorService {
        QString path;
        int16_t OnError(const QString&, const QString&, const errors::FailureRecord&) override
        {
            QFile f(path);
            if (f.open(QIODevice::WriteOnly))
                f.write("[Optionen]\r\nSize=7\r\n");
            return errors::Retry;
        }
    } mend;
    mend.path = dir.filePath("Tavoro.ini");
    auto* previous = errors::setErrorService(&mend);
    EXPECT_EQ(GetIniInt("Optionen", "Size", 5), 7);
    errors::setErrorService(previous);
}

TEST_F(Settings, SaveIniWritesAtOnceAndKeepsTheRest)
{
    writeIni("; mine\r\n[Optionen]\r\nSize=5\r\n\r\n[Pictures]\r\nPicture=101\r\n");
    SaveIni("Optionen", "Size", "8");
    SaveIni("Optionen", "Sprache", "6000");
    SaveIni("Pictures", "File", QString::fromUtf8("Katze ä.jpg"));
    EXPECT_EQ(readIni(), "; mine\r\n[Optionen]\r\nSize=8\r\nSprache=6000\r\n\r\n"
                         "[Pictures]\r\nPicture=101\r\nFile=Katze \xe4.jpg\r\n");
    EXPECT_EQ(GetIniInt("Optionen", "Size", 5), 8);
    EXPECT_EQ(GetIniString("Pictures", "File", ""), QString::fromUtf8("Katze ä.jpg"));

    // The path is built afresh on every call.
    QTemporaryDir moved;
    appinfo::setProgramFolderForTesting(moved.path());
    EXPECT_EQ(GetIniInt("Optionen", "Size", 5), 5);
    SaveIni("Optionen", "Mode", "1");
    EXPECT_TRUE(QFile::exists(moved.filePath("Tavoro.ini")));
    EXPECT_TRUE(service.reports.empty());
}

TEST_F(Settings, AFailedWriteIsSilent)
{
    writeIni("[Optionen]\r\nSize=5\r\n");
    // The settings file's name taken by a folder, then a program folder that is gone.
    appinfo::setProgramFolderForTesting(dir.filePath("gone"));
    SaveIni("Optionen", "Size", "8");
    EXPECT_FALSE(QFile::exists(dir.filePath("gone")));
    QDir(dir.path()).mkpath("taken/Tavoro.ini");
    appinfo::setProgramFolderForTesting(dir.filePath("taken"));
    SaveIni("Optionen", "Size", "8");
    EXPECT_EQ(GetIniInt("Optionen", "Size", 3), 3);
    EXPECT_TRUE(service.reports.empty());
    appinfo::setProgramFolderForTesting(dir.path());
    EXPECT_EQ(readIni(), "[Optionen]\r\nSize=5\r\n");
}
