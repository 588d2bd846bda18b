// Pictures taken into "pics" one after the other, when the disk fills
// between two of them: the ones before stay added, and the message says so.

#include "platform/seams.h"
#include "services/seams.h"
#include "support/child_process.h"
#include "support/files.h"
#include "support/pictures.h"
#include "widgets/picture_intake.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PictureIntake, ADiskThatFillsBetweenTwoPicturesKeepsTheFirstAndSaysSo)
{
    QTemporaryDir game, from;
    const QByteArray small = testsupport::encodePicture(testsupport::filledPicture(20, 20, Qt::red), "PNG");
    QImage noisy(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            noisy.setPixel(x, y, qRgb((x * 7919 + y * 104729) % 256, (x * y) % 256, (x ^ y) % 256));
    const QByteArray large = testsupport::encodePicture(noisy, "PNG");
    ASSERT_GT(large.size(), 4 * small.size());
    ASSERT_TRUE(testsupport::writeFile(from.filePath("first.png"), small));
    ASSERT_TRUE(testsupport::writeFile(from.filePath("second.png"), large));
    testsupport::ChildOptions o;
    o.fileSizeLimit = 2 * small.size();  // the second no longer fits
    o.env = {{"TAVORO_TEST_CHILD", "1"},
             {"TAVORO_TEST_DIR", QFile::encodeName(game.path())},
             {"TAVORO_TEST_FROM", QFile::encodeName(from.path())}};
    const auto r = testsupport::runTestInChild("PictureIntake.DISABLED_TakesTwoOnAFillingDisk", o);
    EXPECT_TRUE(r.exited && r.status == 0) << "child status " << r.status;
    EXPECT_EQ(QDir(game.filePath("pics")).entryList(QDir::Files), QStringList{"first.png"});
}

TEST(PictureIntake, DISABLED_TakesTwoOnAFillingDisk)
{
    platform::seams().programFolder = qEnvironmentVariable("TAVORO_TEST_DIR");
    const QString from = qEnvironmentVariable("TAVORO_TEST_FROM");
    QStringList told;
    services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1 %2").arg(key % 1000).arg("%1"); };
    services::seams().warn = [&](QWidget*, const QString& text) { told << text; };
    const QStringList added =
        widgets::takePictureFiles(nullptr, {from + "/first.png", from + "/second.png"});
    EXPECT_EQ(added, QStringList{"first.png"});
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.front().startsWith("m412 first.png")) << qPrintable(told.front());
    services::resetSeams();
    platform::resetSeams();
}

}  // namespace
