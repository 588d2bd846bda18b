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
    // Another picture each, so that none is the same bytes as one before.
    int shade = 0;
    const auto other = [&](const char* format) {
        return encodePicture(testsupport::filledPicture(40, 30, QColor(10 + 7 * ++shade, 90, 160)), format);
    };
    const struct {
        const char* from;
        QByteArray bytes;
        Refusal refusal;
        const char* name;  // in "pics" when added
        bool existing;     // the same bytes were there under `name`
    } cases[] = {
        {"photo.jpg", jpeg, Refusal::None, "photo.jpg", false},
        {"shot.png", png, Refusal::None, "shot.png", false},
        {"web.webp", encodePicture(sample(50, 40), "WEBP"), Refusal::None, "web.webp", false},
        {"old.BMP", encodePicture(sample(30, 20), "BMP"), Refusal::None, "old.BMP", false},
        {"portrait.jpeg", encodePicture(sample(200, 600), "JPEG"), Refusal::None, "portrait.jpeg", false},
        {"panorama.png", encodePicture(sample(900, 100), "PNG"), Refusal::None, "panorama.png", false},
        {"turned.jpg", testsupport::jpegWithOrientation(sample(60, 40), 6), Refusal::None, "turned.jpg", false},
        // The name taken already: numbered; the ending follows the contents.
        {"photo.jpg", other("JPEG"), Refusal::None, "photo (2).jpg", false},
        {"scan.jfif", other("JPEG"), Refusal::None, "scan.jpg", false},
        {"download", other("PNG"), Refusal::None, "download.png", false},
        {"really-a-png.jpg", other("PNG"), Refusal::None, "really-a-png.png", false},
        {".hidden.png", other("PNG"), Refusal::None, "hidden.png", false},
        {"Ærø – sommer 東京.png", other("PNG"), Refusal::None, "Ærø – sommer 東京.png", false},
        // Names the settings store in one line: control characters become blanks.
        {"two\nlines.png", other("PNG"), Refusal::None, "two lines.png", false},
        {"tab\tand\r.png", other("PNG"), Refusal::None, "tab and.png", false},
        // The same bytes again, under any name: the picture there is named.
        {"photo again.jpg", jpeg, Refusal::None, "photo.jpg", true},
        {"copy of shot", png, Refusal::None, "shot.png", true},
        {"half.jpg", jpeg.left(jpeg.size() / 2), Refusal::Damaged, nullptr, false},
        {"half.png", png.left(png.size() - 20), Refusal::Damaged, nullptr, false},
        {"notes.txt", "a shopping list", Refusal::NotAPicture, nullptr, false},
        {"empty.png", "", Refusal::NotAPicture, nullptr, false},
        {"icon.gif", encodePicture(sample(8, 8), "GIF"), Refusal::NotAPicture, nullptr, false},
        {"huge.png", testsupport::pngClaiming(20000, 20000), Refusal::TooLarge, nullptr, false},
    };
    QStringList expected;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        const pictures::Intake intake = pictures::addPictureFile(source(c.from, c.bytes), pics());
        EXPECT_EQ(intake.refusal, c.refusal);
        EXPECT_EQ(intake.existing, c.existing);
        if (c.name) {
            EXPECT_EQ(intake.name, QString::fromUtf8(c.name));
            EXPECT_EQ(testsupport::readFile(pics() + "/" + intake.name), c.bytes);
            if (!c.existing)
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

TEST_F(PictureImport, APastedPictureIsStoredAsPngOnce)
{
    const QImage picture = sample(64, 48);
    const pictures::Intake first = pictures::addPictureImage(picture, pics(), "Picture 2026-12-11 10.00.00");
    const pictures::Intake second = pictures::addPictureImage(picture, pics(), "Picture 2026-12-11 10.00.00");
    const pictures::Intake later = pictures::addPictureImage(picture, pics(), "Picture 2026-12-11 10.05.00");
    const pictures::Intake another = pictures::addPictureImage(sample(64, 47), pics(), "Picture 2026-12-11 10.00.00");
    EXPECT_EQ(first.name, "Picture 2026-12-11 10.00.00.png");
    EXPECT_FALSE(first.existing);
    // The same picture pasted again, at any time, is the one stored.
    EXPECT_EQ(second.name, first.name);
    EXPECT_EQ(later.name, first.name);
    EXPECT_TRUE(second.existing && later.existing);
    EXPECT_EQ(another.name, "Picture 2026-12-11 10.00.00 (2).png");
    EXPECT_EQ(inPics().size(), 2);
    QImage read(pics() + "/" + first.name, "PNG");
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_EQ(pictures::addPictureImage(QImage(), pics(), "x").refusal, Refusal::NotAPicture);
}

}  // namespace
