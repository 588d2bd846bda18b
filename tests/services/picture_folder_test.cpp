// Keeping the own pictures: found by their bytes, renamed without ever
// overwriting, taken away into the trash or for good, their squares going
// with them.

#include "services/picture_folder.h"
#include "services/picture_square.h"
#include "services/seams.h"
#include "support/files.h"
#include "support/pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using pictures::Removal;
using pictures::Renaming;
using pictures::Square;

class PictureFolder : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pics() const { return dir.path(); }
    QByteArray png(QColor colour) { return testsupport::encodePicture(testsupport::filledPicture(8, 8, colour), "PNG"); }
    void put(const QString& name, const QByteArray& bytes)
    {
        ASSERT_TRUE(testsupport::writeFile(pics() + "/" + name, bytes));
    }
    QStringList files() const { return QDir(pics()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    void TearDown() override { services::resetSeams(); }
};

TEST_F(PictureFolder, APictureIsFoundByItsBytesAlone)
{
    const QByteArray red = png(Qt::red);
    put("notes.txt", red);  // no ending the game plays
    EXPECT_EQ(pictures::sameBytes(pics(), red), QString());
    put("red.png", red);
    put("blue.png", png(Qt::blue));
    EXPECT_EQ(pictures::sameBytes(pics(), red), "red.png");
    EXPECT_EQ(pictures::sameBytes(pics(), red + "x"), QString());
    EXPECT_EQ(pictures::sameBytes(pics() + "/missing", red), QString());
}

TEST_F(PictureFolder, RenamingNeverOverwritesAndTakesTheSquareAlong)
{
    put("a.png", png(Qt::red));
    put("b.png", png(Qt::blue));
    ASSERT_TRUE(pictures::storeSquare(pics() + "/a.png", {Square::Kind::Region, QRect(1, 0, 6, 6)}));
    const struct {
        const char* to;
        Renaming result;
    } cases[] = {
        {"b.png", Renaming::Taken},
        {"", Renaming::Invalid},
        {".png", Renaming::Invalid},
        {".hidden.png", Renaming::Invalid},
        {"sub/a.png", Renaming::Invalid},
        {"../a.png", Renaming::Invalid},
        {" a.png", Renaming::Invalid},
        {"a.txt", Renaming::Invalid},
        {"a", Renaming::Invalid},
        {"a.png", Renaming::Renamed},  // the same name: nothing to do
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        EXPECT_EQ(pictures::renamePicture(pics(), "a.png", QString::fromUtf8(c.to)), c.result);
        EXPECT_EQ(files(), (QStringList{"a.png", "b.png", "squares.txt"}));
    }
    const QString longName = QString(260, QLatin1Char('l')) + ".png";
    EXPECT_EQ(pictures::renamePicture(pics(), "a.png", longName), Renaming::Invalid);

    const QString renamed = QStringLiteral("Ærø – sommer 東京.png");
    EXPECT_EQ(pictures::renamePicture(pics(), "a.png", renamed), Renaming::Renamed);
    EXPECT_EQ(files(), (QStringList{"b.png", "squares.txt", renamed}));
    EXPECT_EQ(pictures::storedSquare(pics() + "/" + renamed), (Square{Square::Kind::Region, QRect(1, 0, 6, 6)}));
    EXPECT_EQ(pictures::storedSquare(pics() + "/a.png"), Square{});
    EXPECT_EQ(pictures::renamePicture(pics(), "gone.png", "c.png"), Renaming::Failed);
}

TEST_F(PictureFolder, RemovalGoesToTheTrashOrIsDoneForGood)
{
    put("a.png", png(Qt::red));
    put("b.png", png(Qt::blue));
    ASSERT_TRUE(pictures::storeSquare(pics() + "/a.png", {Square::Kind::Stretch, {}}));
    QString trashed;
    bool trash = true;
    services::seams().moveToTrash = [&](const QString& path) {
        if (!trash)
            return false;
        trashed = path;
        return QFile::remove(path);
    };
    EXPECT_EQ(pictures::trashPicture(pics(), "a.png"), Removal::Trashed);
    EXPECT_EQ(trashed, pics() + "/a.png");
    EXPECT_EQ(pictures::storedSquare(pics() + "/a.png"), Square{});
    EXPECT_EQ(pictures::trashPicture(pics(), "a.png"), Removal::Failed);  // gone already

    trash = false;
    EXPECT_EQ(pictures::trashPicture(pics(), "b.png"), Removal::NoTrash);
    EXPECT_TRUE(QFileInfo::exists(pics() + "/b.png"));
    EXPECT_TRUE(pictures::deletePicture(pics(), "b.png"));
    EXPECT_FALSE(pictures::deletePicture(pics(), "b.png"));
    EXPECT_FALSE(files().contains("b.png"));
}

}  // namespace
