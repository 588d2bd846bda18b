// Pictures brought into the "pics" folder: checked as the game reads them,
// copied whole under a free name, refused without leaving anything behind.

#include "services/picture_file.h"
#include "services/picture_import.h"
#include "support/files.h"
#include "support/pictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using pictures::Refusal;
using testsupport::encodePicture;

QImage sample(int w, int h)
{
    return testsupport::filledPicture(w, h, QColor(200, 120, 40));
}

class PictureImport : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pics() const { return dir.filePath("pics"); }
    QString source(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(dir.filePath("from"));
        const QString path = dir.filePath("from/" + name);
        EXPECT_TRUE(testsupport::writeFile(path, bytes));
        return path;
    }
    QStringList inPics() const { return QDir(pics()).entryList(QDir::Files | QDir::Hidden | QDir::System); }
};

TEST_F(PictureImport, CopiesWhatTheGameReadsAndRefusesTheRest)
{
    ASSERT_TRUE(pictures::playedFormats().contains("webp")) << "qt6-image-formats-plugins missing";
    const QByteArray jpeg = encodePicture(sample(300, 200), "JPEG");
    const QByteArray png = encodePicture(sample(40, 30), "PNG");
    const struct {
        const char* from;
        QByteArray bytes;
        Refusal refusal;
        const char* name;  // in "pics" when added
    } cases[] = {
        {"photo.jpg", jpeg, Refusal::None, "photo.jpg"},
        {"shot.png", png, Refusal::None, "shot.png"},
        {"web.webp", encodePicture(sample(50, 40), "WEBP"), Refusal::None, "web.webp"},
        {"old.BMP", encodePicture(sample(30, 20), "BMP"), Refusal::None, "old.BMP"},
        {"portrait.jpeg", encodePicture(sample(200, 600), "JPEG"), Refusal::None, "portrait.jpeg"},
        {"panorama.png", encodePicture(sample(900, 100), "PNG"), Refusal::None, "panorama.png"},
        {"turned.jpg", testsupport::jpegWithOrientation(sample(60, 40), 6), Refusal::None, "turned.jpg"},
        // The name taken already: numbered; the ending follows the contents.
        {"photo.jpg", jpeg, Refusal::None, "photo (2).jpg"},
        {"scan.jfif", jpeg, Refusal::None, "scan.jpg"},
        {"download", png, Refusal::None, "download.png"},
        {"really-a-png.jpg", png, Refusal::None, "really-a-png.png"},
        {".hidden.png", png, Refusal::None, "hidden.png"},
        {"Ærø – sommer 東京.png", png, Refusal::None, "Ærø – sommer 東京.png"},
        // Names the settings store in one line: control characters become blanks.
        {"two\nlines.png", encodePicture(sample(41, 30), "PNG"), Refusal::None, "two lines.png"},
        {"tab\tand\r.png", encodePicture(sample(42, 30), "PNG"), Refusal::None, "tab and.png"},
        {"half.jpg", jpeg.left(jpeg.size() / 2), Refusal::Damaged, nullptr},
        {"half.png", png.left(png.size() - 20), Refusal::Damaged, nullptr},
        {"notes.txt", "a shopping list", Refusal::NotAPicture, nullptr},
        {"empty.png", "", Refusal::NotAPicture, nullptr},
        {"icon.gif", encodePicture(sample(8, 8), "GIF"), Refusal::NotAPicture, nullptr},
        {"huge.png", testsupport::pngClaiming(20000, 20000), Refusal::TooLarge, nullptr},
    };
    QStringList expected;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        const pictures::Intake intake = pictures::addPictureFile(source(c.from, c.bytes), pics());
        EXPECT_EQ(intake.refusal, c.refusal);
        if (c.name) {
            EXPECT_EQ(intake.name, QString::fromUtf8(c.name));
            EXPECT_EQ(testsupport::readFile(pics() + "/" + intake.name), c.bytes);
            expected << QString::fromUtf8(c.name);
        } else {
            EXPECT_TRUE(intake.name.isEmpty());
        }
        QStringList now = inPics(), want = expected;
        now.sort();
        want.sort();
        EXPECT_EQ(now, want);  // nothing half copied, no stray files
    }
}

TEST_F(PictureImport, WhatCannotBeReadOrWrittenLeavesNothingBehind)
{
    const QByteArray png = encodePicture(sample(40, 30), "PNG");
    // A folder and a missing file.
    QDir().mkpath(dir.filePath("from"));
    EXPECT_EQ(pictures::addPictureFile(dir.filePath("from"), pics()).refusal, Refusal::NotAPicture);
    EXPECT_EQ(pictures::addPictureFile(dir.filePath("gone.png"), pics()).refusal, Refusal::Unreadable);
    const QString good = source("good.png", png);

    if (::geteuid() != 0) {
        // A file the player may not read.
        const QString locked = source("locked.png", png);
        ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::WriteOwner));
        EXPECT_EQ(pictures::addPictureFile(locked, pics()).refusal, Refusal::Unreadable);
        // A folder that cannot be written.
        QDir().mkpath(pics());
        ASSERT_TRUE(QFile::setPermissions(pics(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        EXPECT_EQ(pictures::addPictureFile(good, pics()).refusal, Refusal::FolderNotWritable);
        EXPECT_TRUE(inPics().isEmpty());
        QFile::setPermissions(pics(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    // A file where the folder should be (also as root, whom permissions do not stop).
    ASSERT_TRUE(testsupport::writeFile(pics(), "a file"));
    EXPECT_EQ(pictures::addPictureFile(good, pics()).refusal, Refusal::FolderNotWritable);
    EXPECT_EQ(testsupport::readFile(pics()), "a file");
    QFile::remove(pics());
    // A "pics" that is a link is not written through.
    QDir(pics()).removeRecursively();
    QDir().mkpath(dir.filePath("elsewhere"));
    ASSERT_TRUE(QFile::link(dir.filePath("elsewhere"), pics()));
    EXPECT_EQ(pictures::addPictureFile(good, pics()).refusal, Refusal::FolderNotWritable);
    EXPECT_TRUE(QDir(dir.filePath("elsewhere")).isEmpty());
    QFile::remove(pics());

    // A link or a folder under the name counts as taken: never written through.
    QDir().mkpath(pics());
    ASSERT_TRUE(QFile::link(dir.filePath("elsewhere/target.png"), pics() + "/good.png"));
    QDir().mkpath(pics() + "/good (2).png");
    const pictures::Intake intake = pictures::addPictureFile(good, pics());
    EXPECT_EQ(intake.name, "good (3).png");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("elsewhere/target.png")));
}

TEST_F(PictureImport, APastedPictureIsStoredAsPng)
{
    const QImage picture = sample(64, 48);
    const pictures::Intake first = pictures::addPictureImage(picture, pics(), "Picture 2026-12-11 10.00.00");
    const pictures::Intake second = pictures::addPictureImage(picture, pics(), "Picture 2026-12-11 10.00.00");
    EXPECT_EQ(first.name, "Picture 2026-12-11 10.00.00.png");
    EXPECT_EQ(second.name, "Picture 2026-12-11 10.00.00 (2).png");
    QImage read(pics() + "/" + first.name, "PNG");
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_EQ(pictures::addPictureImage(QImage(), pics(), "x").refusal, Refusal::NotAPicture);
}

}  // namespace
