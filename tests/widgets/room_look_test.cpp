// The dialogs' shared look: the message boxes, questions and the name box as
// the game builds them, a dialog of the game's own, their width against
// their titles, and the buttons in the game's language (Qt's translations).

#include "widgets/room_look.h"

#include "services/seams.h"
#include "platform/qttranslations.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

const QColor kPaper(0xf6, 0xef, 0xdd);

class RoomLookTest : public ::testing::Test {
protected:
    widgets::RoomLook look;

    void SetUp() override { services::resetSeams(); }
    void TearDown() override
    {
        qttranslations::apply(1000);
        services::resetSeams();
    }

    // Runs `ask` while a timer looks at the modal window it opens and closes
    // it with `answer`.
    void whileOpen(const std::function<void()>& ask, const std::function<void(QDialog*)>& answer)
    {
        int seen = 0;
        QTimer t;
        t.setInterval(10);
        QObject::connect(&t, &QTimer::timeout, [&] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible())
                return;
            ++seen;
            answer(d);
        });
        t.start();
        ask();
        t.stop();
        EXPECT_EQ(seen, 1);
    }
};

}  // namespace

TEST_F(RoomLookTest, QuestionsInTheRoomsLookWithTheirButtonsInTheGamesLanguage)
{
    struct Case {
        const char* what;
        int16_t sprache;
        bool defaultNo;
        const char* yes;
        const char* no;
    } cases[] = {
        {"Yes by default", 1000, false, "&Yes", "&No"},
        {"No by default, in French", 6000, true, "&Oui", "&Non"},
        {"in Swedish", 2000, true, "&Ja", "&Nej"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        qttranslations::apply(c.sprache);
        bool answer = true;
        whileOpen(
            [&] {
                answer = c.defaultNo
                    ? services::seams().askYesNoDefaultNo(nullptr, "Really delete the champions list?",
                                                          "Delete champions...")
                    : services::seams().askYesNo(nullptr, "Abandon?", "Delete champions...");
            },
            [&](QDialog* d) {
                auto* box = qobject_cast<QMessageBox*>(d);
                ASSERT_TRUE(box);
                EXPECT_EQ(box->button(QMessageBox::Yes)->text(), c.yes);
                EXPECT_EQ(box->button(QMessageBox::No)->text(), c.no);
                EXPECT_EQ(box->defaultButton(),
                          box->button(c.defaultNo ? QMessageBox::No : QMessageBox::Yes));
                EXPECT_EQ(box->palette().color(QPalette::Window), kPaper);
                EXPECT_TRUE(box->button(QMessageBox::Yes)->icon().isNull());
                EXPECT_TRUE(box->styleSheet().contains("QPushButton:default"));
                EXPECT_GE(box->width(), widgets::titleWidth(box->windowTitle()));
                // Esc answers No.
                QTest::keyClick(box, Qt::Key_Escape);
            });
        EXPECT_FALSE(answer);
    }
}

TEST_F(RoomLookTest, TheNameBoxOffersItsTextAndCancelGivesNothing)
{
    qttranslations::apply(6000);
    std::optional<QString> answer;
    whileOpen([&] { answer = services::seams().InputBox(nullptr, "Name?", "Félicitations !", "Anna", {}); },
              [&](QDialog* d) {
                  auto* box = qobject_cast<QInputDialog*>(d);
                  ASSERT_TRUE(box);
                  EXPECT_EQ(box->textValue(), "Anna");
                  EXPECT_GE(box->width(), widgets::titleWidth("Félicitations !"));
                  QStringList texts;
                  for (const QPushButton* b : box->findChildren<QPushButton*>())
                      texts << b->text();
                  EXPECT_TRUE(texts.contains("Annuler")) << qPrintable(texts.join(", "));
                  box->reject();
              });
    EXPECT_FALSE(answer.has_value());
    whileOpen([&] { answer = services::seams().InputBox(nullptr, "Name?", "Bravo", "Anna", {}); },
              [&](QDialog* d) { static_cast<QInputDialog*>(d)->accept(); });
    EXPECT_EQ(answer, QString("Anna"));
}

// What the caller's rule refuses never enters the field, and the reason
// stands under it until a keystroke is taken again.
TEST_F(RoomLookTest, TheNameBoxRefusesAsTypedAndSaysWhy)
{
    const auto problem = [](const QString& text) {
        return text.contains(QChar(u'#')) ? QStringLiteral("No # here") : QString();
    };
    std::optional<QString> answer;
    whileOpen([&] { answer = services::seams().InputBox(nullptr, "Name?", "Bravo", "An", problem); },
              [&](QDialog* d) {
                  auto* field = d->findChild<QLineEdit*>();
                  ASSERT_TRUE(field);
                  field->end(false);
                  QTest::keyClicks(field, "n#");
                  EXPECT_EQ(field->text(), "Ann");
                  QLabel* why = nullptr;
                  for (QLabel* l : d->findChildren<QLabel*>())
                      if (l->text() == "No # here")
                          why = l;
                  ASSERT_TRUE(why) << "no reason shown";
                  EXPECT_TRUE(why->isVisible());
                  QTest::keyClicks(field, "a");
                  EXPECT_FALSE(why->isVisible());
                  static_cast<QInputDialog*>(d)->accept();
              });
    EXPECT_EQ(answer, QString("Anna"));
}

TEST_F(RoomLookTest, ADialogKeepsItsOwnGroundAndFontAndGrowsToItsTitle)
{
    QDialog own;
    QPalette pal = own.palette();
    pal.setColor(QPalette::Window, QColor(255, 224, 192));
    own.setPalette(pal);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSize(13);
    own.setFont(font);
    own.setWindowTitle(QStringLiteral("Soll die Championliste wirklich gelöscht werden?"));
    own.setFixedSize(120, 80);
    auto* ok = new QPushButton(QStringLiteral("OK"), &own);
    own.show();
    EXPECT_EQ(own.palette().color(QPalette::Window), QColor(255, 224, 192));
    EXPECT_EQ(own.palette().color(QPalette::WindowText), QColor(0x3b, 0x24, 0x14));
    EXPECT_EQ(own.font().family(), font.family());
    EXPECT_EQ(own.font().pointSize(), 13);
    EXPECT_TRUE(own.styleSheet().contains("QPushButton"));
    EXPECT_EQ(ok->font().family(), font.family());
    // A fixed-size dialog grows to its title and stays fixed.
    EXPECT_GE(own.width(), widgets::titleWidth(own.windowTitle()));
    EXPECT_EQ(own.minimumWidth(), own.maximumWidth());
    EXPECT_EQ(own.height(), 80);

    // A window without a frame is left at its size; a window that is no
    // dialog takes no look unless it asks for it.
    QDialog bare(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    bare.setWindowTitle(own.windowTitle());
    bare.setFixedSize(120, 80);
    bare.show();
    EXPECT_EQ(bare.width(), 120);
    QWidget plain;
    plain.show();
    EXPECT_TRUE(plain.styleSheet().isEmpty());
    QWidget asked;
    widgets::useRoomLook(&asked);
    asked.show();
    EXPECT_EQ(asked.palette().color(QPalette::Window), kPaper);
}

TEST(RoomLook, TheTitleWidthGrowsWithTheTitleAndLeavesRoomForTheFramesButtons)
{
    const QString titles[] = {"Congratulations!", "Delete champions...", "Félicitations !",
                              "Soll die Championliste wirklich gelöscht werden?"};
    for (const QString& t : titles) {
        QFont bold = QApplication::font();
        bold.setBold(true);
        EXPECT_GT(widgets::titleWidth(t), QFontMetrics(bold).horizontalAdvance(t) + 100) << qPrintable(t);
    }
    EXPECT_LT(widgets::titleWidth("Congratulations!"), widgets::titleWidth(titles[3]));
}
