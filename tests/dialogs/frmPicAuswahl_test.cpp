// The picture window: paging the built-in pictures, the file list of the
// "pics" folder, OK and closing, and pictures that cannot be read.

#include "dialogs/frmPicAuswahl.h"
#include "platform/appinfo.h"
#include "services/resources.h"
#include "services/seams.h"
#include "services/settings.h"
#include "services/shared.h"
#include "support/files.h"
#include "support/window_env.h"

#include <QBuffer>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>


namespace {

QByteArray jpeg(QSize size, QColor colour, const char* format = "JPEG")
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    return bytes;
}

class PicWindow : public ::testing::Test, protected testsupport::WindowEnv {
protected:
    std::unique_ptr<frmPicAuswahl> w;
    std::vector<int16_t> sounds;

    void SetUp() override
    {
        services::seams().PlayWAV = [this](int16_t n) { sounds.push_back(n); };
        services::seams().GetLang = [](int16_t key) { return QStringLiteral("m%1").arg(key); };
    }

    QString pics() const { return folder.filePath("pics"); }

    void put(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(pics());
        ASSERT_TRUE(testsupport::writeFile(pics() + "/" + name, bytes));
    }

    void storeFile(const QString& name)
    {
        ASSERT_TRUE(testsupport::writeFile(folder.filePath("Tavoro.ini"),
                                           "[Pictures]\r\nFile=" + name.toUtf8() + "\r\n"));
    }

    void load()
    {
        w = std::make_unique<frmPicAuswahl>();
        w->Form_Load();
        w->show();
        // An own picture's preview is read on the pool.
        ASSERT_TRUE(testsupport::waitForPictures());
    }

    qint64 previewKey() const { return w->imgBild->Picture().cacheKey(); }

    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < w->File1->ListCount(); ++i)
            names << w->File1->List(i);
        return names;
    }
};

TEST_F(PicWindow, PagesRoundAtBothEnds)
{
    const struct {
        int16_t from;
        bool next;
        int16_t to;
    } cases[] = {{116, true, 101}, {101, false, 116}, {105, true, 106}, {105, false, 104}};
    load();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << (c.next ? " next" : " prev"));
        Allgemein::settings().setPicture(c.from);
        sounds.clear();
        c.next ? w->cmdNext->click() : w->cmdPrev->click();
        EXPECT_EQ(Allgemein::settings().Picture(), c.to);
        EXPECT_EQ(w->imgBild->Picture().toImage().size(), resources::loadBitmap(c.to + 100).size());
        EXPECT_EQ(sounds, std::vector<int16_t>{104});
    }
    Allgemein::settings().setPlaySound(0);
    sounds.clear();
    w->cmdNext_Click();
    EXPECT_TRUE(sounds.empty());

    // The keyboard moves the choice in the grid of four columns too.
    Allgemein::settings().setPicture(105);
    w->cmdNext_Click();
    w->cmdPrev_Click();
    for (auto [key, to] : {std::pair{Qt::Key_Right, 106}, {Qt::Key_Down, 110},
                           {Qt::Key_Left, 109}, {Qt::Key_Up, 105}}) {
        QTest::keyClick(w.get(), key);
        EXPECT_EQ(Allgemein::settings().Picture(), to) << key;
    }
}

TEST_F(PicWindow, LoadsTheSourceTextsAndTheStoredFile)
{
    put("b.JPG", jpeg({40, 30}, Qt::red));
    put("A.bmp", jpeg({40, 30}, Qt::green, "BMP"));
    put("c.jpeg", jpeg({40, 30}, Qt::blue));
    put("d.png", jpeg({40, 30}, Qt::blue));
    put("e.txt", "words");
    const struct {
        const char* stored;
        int16_t album;
        int selected;
    } cases[] = {
        {"c.jpeg", 1, 2},   // the stored name, exactly
        {"C.JPEG", 1, 0},   // another case is another name: the first stays
        {"gone.jpg", 0, 0}, // not in the list: the first stays
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        storeFile(c.stored);
        Allgemein::settings().setAlbum(c.album);
        Allgemein::settings().setPicture(0);
        sounds.clear();
        load();
        EXPECT_EQ(listed(), (QStringList{"A.bmp", "b.JPG", "c.jpeg", "d.png"}));
        EXPECT_EQ(w->File1->ListIndex(), c.selected);
        EXPECT_EQ(Allgemein::settings().Album(), c.album);
        EXPECT_EQ(Allgemein::settings().Picture(), 101);
        EXPECT_EQ(w->imgTab[0]->isVisible(), c.album == 0);
        EXPECT_EQ(w->imgTab[1]->isVisible(), c.album == 1);
        EXPECT_EQ(w->fraAuswahl[0]->isVisible(), c.album == 0);
        EXPECT_EQ(w->fraAuswahl[1]->isVisible(), c.album == 1);
        if (c.album == 1)
            EXPECT_EQ(w->imgBild->Picture().toImage().size(), QSize(30, 30));
        EXPECT_EQ(sounds, std::vector<int16_t>{104});
        EXPECT_EQ(w->Label1->text(), "m154");
        EXPECT_EQ(w->cmdNext->toolTip(), "m132");
        EXPECT_EQ(w->cmdPrev->toolTip(), "m136");
        EXPECT_EQ(w->imgTab[0]->toolTip(), "m131");
        EXPECT_EQ(w->imgTab[1]->toolTip(), "m131");
        EXPECT_EQ(w->File1->toolTip(), "m139");
    }
}

TEST_F(PicWindow, AnEmptyOrMissingFolderShowsWhereThePicturesGo)
{
    Allgemein::settings().setAlbum(1);
    load();
    EXPECT_TRUE(QFileInfo(pics()).isDir());
    EXPECT_EQ(w->File1->ListCount(), 0);
    EXPECT_TRUE(w->lblHinweis->isVisible());
    EXPECT_TRUE(w->lblHinweis->text().startsWith("m170"));
    // The folder's name, which may break after each separator.
    EXPECT_TRUE(w->lblHinweis->text().remove(QChar(0x200B)).contains(QDir::toNativeSeparators(pics())));
    EXPECT_TRUE(w->imgBild->Picture().isNull());

    // A picture put there while the window is open shows at the next look.
    put("IMG_0001.JPG", jpeg({60, 80}, Qt::red));
    w->imgTab_Click(1);
    w->imgTab_Click(0);
    ASSERT_TRUE(testsupport::waitForPictures());
    EXPECT_EQ(listed(), QStringList{"IMG_0001.JPG"});
    EXPECT_FALSE(w->lblHinweis->isVisible());
    EXPECT_EQ(w->imgBild->Picture().toImage().size(), QSize(60, 60));
}

TEST_F(PicWindow, OkStoresTheChoiceAndClosingDropsIt)
{
    put("mine.jpg", jpeg({50, 50}, Qt::red));
    storeFile("mine.jpg");
    load();
    const int album = Allgemein::settings().Album();
    w->cmdNext_Click();  // 102
    w->imgTab_Click(album == 1 ? 1 : 0);  // the other source
    w->reject();         // Esc or the close box
    EXPECT_EQ(Allgemein::settings().Picture(), 101);
    EXPECT_EQ(Allgemein::settings().Album(), album);
    EXPECT_FALSE(ini().contains("Picture="));

    Allgemein::settings().setPicture(102);
    for (bool byDoubleClick : {false, true}) {
        SCOPED_TRACE(byDoubleClick);
        load();
        w->cmdPrev_Click();  // 101, built-in source: the file name is still stored
        byDoubleClick ? w->imgBild->onDblClick() : w->cmdOK->click();
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->result(), QDialog::Accepted);
        EXPECT_TRUE(ini().contains("Picture=101\r\n"));
        EXPECT_TRUE(ini().contains("Album=0\r\n"));
        EXPECT_TRUE(ini().contains("File=mine.jpg\r\n"));
        Allgemein::settings().setPicture(102);
    }
}

TEST_F(PicWindow, APictureThatCannotBeReadIsReportedAndTheWindowStays)
{
    const QByteArray good = jpeg({300, 200}, Qt::blue);
    put("a_good.jpg", good);
    put("b_half.jpg", good.left(good.size() / 2));
    put("c_words.bmp", "BM these are words");
    Allgemein::settings().setAlbum(1);
    load();
    const qint64 before = previewKey();
    ASSERT_FALSE(w->imgBild->Picture().isNull());
    for (int i : {1, 2}) {
        SCOPED_TRACE(i);
        w->File1->setCurrentRow(i);  // as the player's click
        ASSERT_TRUE(testsupport::waitForPictures());
        ASSERT_EQ(errors.reports.size(), 1u);
        EXPECT_EQ(errors.reports[0].object, "frmPicAuswahl");
        EXPECT_EQ(errors.reports[0].procedure, "File1_Click");
        EXPECT_EQ(errors.reports[0].failure.number, 481);
        errors.reports.clear();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(previewKey(), before);
    }
}

TEST_F(PicWindow, TheBackTabSwitchesTheSource)
{
    put("a.jpg", jpeg({40, 40}, Qt::red));
    Allgemein::settings().setAlbum(7);  // no source of that number: the built-in pictures
    load();
    EXPECT_EQ(Allgemein::settings().Album(), 0);
    const QPoint leftTab(40, 17), rightTab(140, 17);
    const struct {
        QPoint at;
        int16_t album;
    } clicks[] = {{leftTab, 0}, {rightTab, 1}, {rightTab, 1}, {leftTab, 0}};
    for (const auto& c : clicks) {
        SCOPED_TRACE(testing::Message() << c.at.x() << " -> " << c.album);
        QTest::mouseClick(w->imgTab[Allgemein::settings().Album() == 1 ? 1 : 0], Qt::LeftButton, {}, c.at);
        EXPECT_EQ(Allgemein::settings().Album(), c.album);
        EXPECT_EQ(w->fraAuswahl[1]->isVisible(), c.album == 1);
    }
}

}  // namespace
