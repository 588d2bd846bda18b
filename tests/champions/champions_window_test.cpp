// The champions window as the player meets it: the row of the entry just
// made, the whole of a long name, the name box's result line and the name
// it offers, characters the file cannot keep, Esc, and the clear question
// answered with No and then Enter.

#include "champions_fixture.h"
#include "services/settings.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using testsupport::ChampionsTest;

namespace {

const QStringList kThree = {"0001000005Bob", "0002000003Dora", "0003000001Eve"};

bool isMarked(const QLabel* label)
{
    return label->font().bold();
}

}  // namespace

TEST_F(ChampionsTest, OnlyTheRowOfTheEntryJustMadeIsMarked)
{
    store("m50", kThree);
    names = {"Anna"};
    open(5, 0, "0002500009");
    ASSERT_EQ(row(3)[0], "Anna");
    EXPECT_EQ(w->newRank, 3);
    const QColor plain = w->lblHName[1]->palette().color(QPalette::WindowText);
    for (int i = 1; i <= 10; ++i) {
        for (const QLabel* label :
             {w->Label1[i], w->lblHName[i], w->lblHScore[i], w->lblHScore[10 + i]}) {
            EXPECT_EQ(isMarked(label), i == 3) << "row " << i;
            EXPECT_EQ(label->palette().color(QPalette::WindowText) == plain, i != 3) << "row " << i;
        }
    }
    // Opened again only to look, no row stands out.
    open(5, 0);
    for (int i = 1; i <= 10; ++i)
        EXPECT_FALSE(isMarked(w->lblHName[i])) << i;
}

TEST_F(ChampionsTest, TwentyCharactersOfANameShowWhole)
{
    for (const QString name :
         {QStringLiteral("Wolfgang-Maximilian!"), QStringLiteral("WWWWWWWWWWWWWWWWWWWW"),
          QStringLiteral("ÆØÅÉÈÊËÀÂÄÖÜßÑÇŒ@@@@")}) {
        SCOPED_TRACE(name.toStdString());
        QFile::remove(hsc());
        names = {name};
        open(4, 0, "0000700012");
        const QLabel* label = w->lblHName[1];
        ASSERT_EQ(label->text(), name);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(name), label->contentsRect().width());
        // The moves' column starts right of the name.
        EXPECT_LT(label->geometry().right(), w->lblHScore[1]->geometry().left());
        // The table stays inside the window.
        EXPECT_LE(w->fraHighscore->geometry().right(), w->width());
    }
}

TEST_F(ChampionsTest, TheNameBoxShowsTheResultAndOffersTheLastName)
{
    store("m30", kThree);
    names = {"  Anna  ", std::nullopt, "Bea"};
    open(3, 0, "0001500004");
    open(3, 0, "0000100001");  // cancelled: the name offered stays
    open(3, 0, "0009000090");
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0].first, "Please enter your name!\n\nRank 2: 4 moves in 15 seconds");
    EXPECT_EQ(prompts[1].first, "Please enter your name!\n\nRank 1: 1 moves in 1 seconds");
    EXPECT_EQ(prompts[2].first, "Please enter your name!\n\nRank 5: 90 moves in 90 seconds");
    EXPECT_EQ(presets, (QStringList{"", "Anna", "Anna"}));
    EXPECT_EQ(Allgemein::GetIniString("Optionen", "LastName", "<none>"), "Bea");
    EXPECT_EQ(stored("m30").mid(0, 5),
              (QStringList{"0001000005Bob", "0001500004Anna", "0002000003Dora", "0003000001Eve",
                           "0009000090Bea"}));
}

TEST_F(ChampionsTest, CharactersTheFileCannotKeepAreNamedBeforeTheyAreStored)
{
    QStringList storedWhenTold;
    services::seams().tell = [&](QWidget*, const QString& text) {
        told << text;
        storedWhenTold = stored("m40");
    };
    names = {QString::fromUtf8(" Zoë 李李 😀x ")};
    open(4, 0, "0000700012");
    EXPECT_EQ(told, QStringList{QString::fromUtf8("Stored as \"?\": 李😀")});
    EXPECT_EQ(storedWhenTold[0], "<none>");
    EXPECT_EQ(stored("m40")[0], QString::fromUtf8("0000700012Zoë ?? ?x"));

    told.clear();
    names = {QString::fromUtf8("Zoë Œuvre")};
    open(4, 0, "0000700011");
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(ChampionsTest, EscClosesTheWindowAsOKDoes)
{
    open(5, 0);
    w->show();
    QTest::keyClick(w->focusWidget() ? w->focusWidget() : w.get(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);
}

// The real question: its default is No, and after No the Enter key closes
// the window by OK instead of asking again.
TEST_F(ChampionsTest, NoAndThenEnterNeverClearTheList)
{
    store("m50", kThree);
    const QByteArray before = hscBytes();
    services::resetSeams();
    services::seams().GetLang = testsupport::englishText;
    open(5, 0);
    w->show();
    w->cmdDelHS->setFocus();

    int boxes = 0;
    bool defaultIsNo = false;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        ++boxes;
        defaultIsNo = box->defaultButton() == box->button(QMessageBox::No);
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
    });
    answer.start();
    QTest::mouseClick(w->cmdDelHS, Qt::LeftButton);
    answer.stop();

    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(defaultIsNo);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->focusWidget(), w->cmdOK);
    QTest::keyClick(w->focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(hscBytes(), before);
    // Enter while Reset has the focus answers OK too.
    open(5, 0);
    w->show();
    w->cmdDelHS->setFocus();
    QTest::keyClick(w->cmdDelHS, Qt::Key_Return);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(hscBytes(), before);
}
