// The temporary files of a run, the language table and the music track, go
// with the run: removed with their folder at the end, other files kept.

#include "platform/mci.h"
#include "platform/seams.h"
#include "services/language.h"
#include "services/media.h"
#include "services/resources.h"
#include "services/seams.h"
#include "support/audio_env.h"
#include "support/scripted_errors.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class TemporaryFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::resetAudio();
        platform::seams().soundFontCandidates = QStringList{};  // silent tracks
        services::seams().resourceRoot = ":/testres";
        Allgemein::resetMediaForTesting();
        folder = Allgemein::GetTempDir();
        services::seams().languageFile = folder + "~tmp.lng";
    }
    void TearDown() override
    {
        Allgemein::resetMediaForTesting();
        services::resetSeams();
        testsupport::resetAudio();
    }

    // Writes both files as a run does: the language table at the start, a
    // track when the music starts; the track is closed as at the end.
    void playARun()
    {
        Allgemein::WriteLanguageFile();
        Allgemein::MakeMusic();
        mciSendString("close midi");
        mci::waitForWorker();
        ASSERT_TRUE(QFileInfo::exists(folder + "~tmp.lng"));
        ASSERT_TRUE(QFileInfo::exists(folder + "~tmp.mid"));
    }

    testsupport::PrivateTemp temp;
    testsupport::ScriptedErrors errors;
    QString folder;
};

}  // namespace

TEST_F(TemporaryFiles, GoWithTheirFolderAtTheEnd)
{
    playARun();
    Allgemein::RemoveTemporaryFiles();
    EXPECT_FALSE(QFileInfo::exists(folder)) << qPrintable(folder);
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(TemporaryFiles, AFolderHoldingOtherFilesStays)
{
    playARun();
    ASSERT_TRUE(testsupport::writeFile(folder + "other", "kept"));
    Allgemein::RemoveTemporaryFiles();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"other"});
}

TEST_F(TemporaryFiles, ARunThatWroteNothingTouchesNothing)
{
    // No track was played and no language table settled: a folder made by
    // someone else's run stays as it is.
    services::seams().languageFile.clear();
    ASSERT_TRUE(testsupport::writeFile(folder + "~tmp.mid", "another run's track"));
    Allgemein::RemoveTemporaryFiles();
    EXPECT_EQ(testsupport::readFile(folder + "~tmp.mid"), "another run's track");
}
