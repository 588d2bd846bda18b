// Own pictures read on the worker: only the latest reading of a PictureLater
// is answered, never after its window has gone, and a failure comes back
// with its number.

#include "services/picture_later.h"

#include "errors/failure.h"
#include "support/files.h"
#include "support/pictures.h"
#include "support/window_env.h"

#include <QObject>
#include <gtest/gtest.h>

#include <memory>

namespace {

class PictureLaterTest : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    QString put(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(testsupport::writeFile(path, bytes));
        return path;
    }
};

TEST_F(PictureLaterTest, OnlyTheLatestReadingOfALiveOwnerIsAnswered)
{
    const QString red = put("red.png", testsupport::encodePicture(testsupport::filledPicture(20, 20, Qt::red), "PNG"));
    const QString blue = put("blue.png", testsupport::encodePicture(testsupport::filledPicture(30, 20, Qt::blue), "PNG"));
    const QString words = put("words.jpg", "no picture");
    auto owner = std::make_unique<QObject>();
    pictures::PictureLater later(owner.get());
    std::vector<QString> answered;
    pictures::Decoded last;
    auto note = [&](const QString& what) {
        return [&, what](const pictures::Decoded& d) {
            answered.push_back(what);
            last = d;
        };
    };
    {
        // The first held while it is read, so that it is still under way
        // when the second is asked for: it is dropped.
        testsupport::HeldPictures held;
        later.read(red, {}, note("red"));
        ASSERT_TRUE(held.untilWaiting(1));
        later.readWhole(blue, 100, note("blue"));
        EXPECT_TRUE(later.busy());
        held.open();
        ASSERT_TRUE(testsupport::waitForPictures());
    }
    EXPECT_EQ(answered, std::vector<QString>{"blue"});
    EXPECT_FALSE(later.busy());
    EXPECT_EQ(last.picture.size(), QSize(30, 20));
    EXPECT_EQ(last.upright, QSize(30, 20));
    EXPECT_EQ(last.failure, 0);

    // A failure comes back to be raised on the window's thread.
    later.read(words, {}, note("words"));
    ASSERT_TRUE(testsupport::waitForPictures());
    EXPECT_EQ(last.failure, errors::ErrInvalidPicture);
    EXPECT_TRUE(last.picture.isNull());
    EXPECT_THROW(last.raiseFailure(), errors::Failure);

    // Cancelled, or the owner gone: nothing is answered.
    answered.clear();
    later.read(red, {}, note("cancelled"));
    later.cancel();
    EXPECT_FALSE(later.busy());
    later.read(red, {}, note("orphan"));
    owner.reset();
    ASSERT_TRUE(testsupport::waitForPictures());
    EXPECT_TRUE(answered.empty());
}

}  // namespace
