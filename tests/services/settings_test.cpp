#include "platform/seams.h"
#include "services/settings.h"
#include "support/files.h"
#include "support/scripted_errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Allgemein;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testsupport::ScriptedErrors service;

    void SetUp() override { platform::seams().programFolder = dir.path(); }
    void TearDown() override { platform::resetSeams(); }

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

TEST_F(SettingsFile, NoFileGivesTheDefaults)
{
    EXPECT_EQ(IniPath(), dir.path() + "/Tavoro.ini");
    EXPECT_EQ(GetIniInt("Optionen", "Size", 5), 5);
    EXPECT_EQ(GetIniInt("Optionen", "PlaySound", -1), -1);
    EXPECT_EQ(GetIniString("Pictures", "File", "Tavoro1.bmp"), "Tavoro1.bmp");
    EXPECT_TRUE(service.reports.empty());
}

TEST_F(SettingsFile, ReadsWhatIsStored)
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

TEST_F(SettingsFile, ANumberBeyond16BitsIsAnOverflow)
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

TEST_F(SettingsFile, SaveIniWritesAtOnceAndKeepsTheRest)
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
    platform::seams().programFolder = moved.path();
    EXPECT_EQ(GetIniInt("Optionen", "Size", 5), 5);
    SaveIni("Optionen", "Mode", "1");
    EXPECT_TRUE(QFile::exists(moved.filePath("Tavoro.ini")));
    EXPECT_TRUE(service.reports.empty());
}

// A picture name beyond Windows-1252, or longer than a reader's 254
// characters, comes back whole and exactly: the board plays that picture at
// the next start instead of "??????.jpg".
TEST_F(SettingsFile, AForeignOrLongPictureNameComesBackExactly)
{
    const QString longName = QString(260, QLatin1Char('x')) + ".png";
    for (const QString& name : {QString::fromUtf8("Москва.jpg"), QString::fromUtf8("中文.jpg"), longName}) {
        SaveIni("Pictures", "File", name);
        EXPECT_EQ(GetIniString("Pictures", "File", "Tavoro1.bmp"), name);
    }
    SaveIni("Pictures", "File", "Tavoro1.bmp");
    EXPECT_EQ(readIni(), "[Pictures]\r\nFile=Tavoro1.bmp\r\n");
    EXPECT_TRUE(service.reports.empty());
}

TEST_F(SettingsFile, AFailedWriteIsSilent)
{
    writeIni("[Optionen]\r\nSize=5\r\n");
    // The settings file's name taken by a folder, then a program folder that is gone.
    platform::seams().programFolder = dir.filePath("gone");
    SaveIni("Optionen", "Size", "8");
    EXPECT_FALSE(QFile::exists(dir.filePath("gone")));
    QDir(dir.path()).mkpath("taken/Tavoro.ini");
    platform::seams().programFolder = dir.filePath("taken");
    SaveIni("Optionen", "Size", "8");
    EXPECT_EQ(GetIniInt("Optionen", "Size", 3), 3);
    EXPECT_TRUE(service.reports.empty());
    platform::seams().programFolder = dir.path();
    EXPECT_EQ(readIni(), "[Optionen]\r\nSize=5\r\n");
}

TEST_F(SettingsFile, CheckedSettingsKeepToTheirSets)
{
    const struct { Setting setting; std::initializer_list<int32_t> good, bad; } cases[] = {
        {Setting::Sprache, {0, 1000, 2000, 3000, 5000, 6000}, {4000, 7000, 1, -1000}},
        {Setting::Size, {3, 8}, {2, 9, 0}},
        {Setting::Mode, {0, 1}, {-1, 2}},
        {Setting::PlaySound, {0, -1}, {1, -2}},
        {Setting::Animate, {0, -1}, {1, 2}},
        {Setting::PlayMusic, {0, 2}, {-1, 3}},
        {Setting::Picture, {101, 116}, {100, 117, -5}},
        {Setting::Album, {0, 1}, {-1, 2}},
        {Setting::Background, {101, 115}, {100, 116, 999}},
    };
    for (const auto& c : cases) {
        for (int32_t v : c.good)
            EXPECT_TRUE(SettingAllowed(c.setting, v)) << int(c.setting) << " " << v;
        for (int32_t v : c.bad)
            EXPECT_FALSE(SettingAllowed(c.setting, v)) << int(c.setting) << " " << v;
        EXPECT_TRUE(SettingAllowed(c.setting, SettingDefault(c.setting)));
    }
}

TEST_F(SettingsFile, ABadSettingIsReportedOnceEvenBeyond16Bits)
{
    // Beyond 16 bits the checked read reports once, not an overflow first.
    writeIni("[Optionen]\r\nSize=70000\r\nMode=\r\n");
    EXPECT_EQ(GetIniSetting(Setting::Size), 5);
    EXPECT_EQ(GetIniSetting(Setting::Mode), 0);  // empty: the default, no report
    ASSERT_EQ(service.reports.size(), 1u);
    EXPECT_EQ(service.reports[0].object, "Allgemein");
    EXPECT_EQ(service.reports[0].procedure, "GetIniSetting");
    EXPECT_EQ(service.reports[0].failure.number, 380);
    EXPECT_TRUE(service.reports[0].failure.description.contains("Size=70000"));
    EXPECT_EQ(readIni(), "[Optionen]\r\nSize=5\r\nMode=\r\n");

    // Retry reads the file again: mended meanwhile, the stored value counts.
    struct Mend : errors::ErrorService {
        QString path;
        int16_t OnError(const QString&, const QString&, const errors::FailureRecord&) override
        {
            testsupport::writeFile(path, "[Optionen]\r\nSize=7\r\n");
            return errors::Retry;
        }
    } mend;
    mend.path = dir.filePath("Tavoro.ini");
    writeIni("[Optionen]\r\nSize=1\r\n");
    auto* previous = errors::setErrorService(&mend);
    EXPECT_EQ(GetIniSetting(Setting::Size), 7);
    errors::setErrorService(previous);
    EXPECT_EQ(readIni(), "[Optionen]\r\nSize=7\r\n");
}

TEST_F(SettingsFile, TheSettingsObjectLoadsCheckedAndStoresWhatItKeeps)
{
    writeIni("[Optionen]\r\nMode=1\r\nPlaySound=0\r\nSize=12\r\n[Pictures]\r\nAlbum=1\r\n");
    Settings s;
    EXPECT_EQ(s.Size(), 5);  // defaults until loaded
    EXPECT_TRUE(s.PlaySound());
    EXPECT_EQ(s.load(Setting::Mode), 1);
    EXPECT_EQ(s.Mode(), game::Mode::Swap);
    s.load(Setting::PlaySound);
    EXPECT_FALSE(s.PlaySound());
    EXPECT_EQ(s.load(Setting::Size), 5);  // out of its set: reported, the default kept
    EXPECT_EQ(service.reports.size(), 1u);
    s.load(Setting::Album);
    EXPECT_EQ(s.Album(), 1);

    // Stored as the file has always held them: a boolean as -1 or 0.
    s.setPlaySound(true);
    s.store(Setting::PlaySound);
    s.setMode(game::Mode::Slide);
    s.store(Setting::Mode);
    s.setBackground(107);
    s.store(Setting::Background);
    EXPECT_EQ(readIni(), "[Optionen]\r\nMode=0\r\nPlaySound=-1\r\nSize=5\r\n"
                         "[Pictures]\r\nAlbum=1\r\nBackground=107\r\n");
}
