// The champions window: its controls, loading and activation, the ranking
// of a solved game's result, the rows, and its two buttons.

#include "champions/frmHighscore.h"

#include "errors/trap.h"
#include "platform/twips.h"
#include "services/seams.h"
#include "services/settings.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

using Allgemein::settings;
using services::seams;
using errors::Procedure;

namespace {

const QColor kBackground(255, 224, 192);
const QColor kTitleBack(255, 192, 128);
const QColor kBrown(128, 64, 0);
const QColor kHeadColour(128, 64, 64);

// The message that tells the player the champions file did not take a change.
constexpr int16_t kNotSavedMessage = 171;
// The name prompt's line with the result ("Rank 3: 42 moves in 97 seconds"),
// and the note on the characters a name cannot keep.
constexpr int16_t kResultMessage = 172;
constexpr int16_t kLostCharactersMessage = 173;
constexpr int16_t kRefusedCharactersMessage = 410;
constexpr int16_t kNameTooLongMessage = 411;

// The names' column holds the 20 characters of the longest name in 12-pt
// Courier (144 twips each) with a little room: everything right of it moves
// over by as much as it grows.
constexpr int kNameColumn = champions::kNameLength * 144 + 60;
constexpr int kWiden = kNameColumn - 1800;

// The row of the entry just made stands out from the others.
const QColor kNewEntryColour(176, 32, 0);

// Courier New, or the metric-compatible face the system serves for it.
QFont courierNew(qreal points, bool bold)
{
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void paint(QWidget* w, QPalette::ColorRole role, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(role, colour);
    w->setPalette(pal);
}

QLabel* makeLabel(QWidget* parent, QRect place, const QFont& font, Qt::Alignment align,
                  const QColor& fore)
{
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(place);
    l->setFont(font);
    l->setAlignment(align | Qt::AlignTop);
    paint(l, QPalette::WindowText, fore);
    return l;
}

QPushButton* makeButton(QWidget* parent, QRect place)
{
    auto* b = new QPushButton(parent);
    b->setGeometry(place);
    paint(b, QPalette::Button, kTitleBack);
    return b;
}

// A number with the leading blank of a positive number, as Str() writes it.
QString withSign(int16_t n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

}  // namespace

frmHighscore::frmHighscore(QWidget* owner, std::optional<QString> result)
    : QDialog(owner), HSScore(std::move(result))
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("Tavoro Champions"));
    setFixedSize(twips::size(5730 + kWiden, 6600));
    setAutoFillBackground(true);
    paint(this, QPalette::Window, kBackground);

    lblTitle = makeLabel(this, twips::rect(600, 240, 4575 + kWiden, 495), courierNew(18, true),
                         Qt::AlignHCenter, kBrown);
    lblTitle->setAutoFillBackground(true);
    paint(lblTitle, QPalette::Window, kTitleBack);

    lblMode = makeLabel(this, twips::rect(240, 900, 5055 + kWiden, 255), courierNew(9.75, false),
                        Qt::AlignHCenter, kHeadColour);

    Shape1 = new QFrame(this);
    Shape1->setGeometry(twips::rect(120, 1200, 5415 + kWiden, 4695));
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setStyleSheet(
        QStringLiteral("#Shape1 { border: 1px solid rgb(255, 192, 128); background: transparent; }"));

    fraHighscore = new QFrame(this);
    fraHighscore->setGeometry(twips::rect(240, 1440, 5175 + kWiden, 4170));
    fraHighscore->setAutoFillBackground(true);
    paint(fraHighscore, QPalette::Window, kBackground);

    const int headLefts[3] = {600, 2400 + kWiden, 3960 + kWiden};
    const int headWidths[3] = {1455 + kWiden, 1575, 1095};
    for (int i = 0; i < 3; ++i)
        lblHeader[i] = makeLabel(fraHighscore, twips::rect(headLefts[i], 120, headWidths[i], 255),
                                 courierNew(9.75, false), Qt::AlignHCenter, kHeadColour);

    Line1 = new QFrame(fraHighscore);
    Line1->setGeometry(twips::toPixels(240), twips::toPixels(480),
                       twips::toPixels(5040 + kWiden - 240) + 1, 1);
    Line1->setAutoFillBackground(true);
    paint(Line1, QPalette::Window, kHeadColour);

    for (int i = 1; i <= 10; ++i) {
        const int top = 600 + 360 * (i - 1);
        const QRect rank = i < 10 ? twips::rect(200, top, 350, 350) : twips::rect(75, top, 465, 350);
        Label1[i] = makeLabel(fraHighscore, rank, courierNew(12, false), Qt::AlignRight, kBrown);
        Label1[i]->setText(QString::number(i) + QLatin1Char('.'));
        lblHName[i] = makeLabel(fraHighscore, twips::rect(800, top, kNameColumn, 350),
                                courierNew(12, false), Qt::AlignLeft, kBrown);
        lblHScore[i] = makeLabel(fraHighscore, twips::rect(2760 + kWiden, top, 1000, 350),
                                 courierNew(12, false), Qt::AlignRight, kBrown);
        lblHScore[10 + i] = makeLabel(fraHighscore, twips::rect(3840 + kWiden, top, 1005, 350),
                                      courierNew(12, false), Qt::AlignRight, kBrown);
    }

    // The buttons take a share of the wider window, for the longer captions.
    cmdDelHS = makeButton(this, twips::rect(600, 6120, 1455 + kWiden / 2, 330));
    cmdOK = makeButton(this, twips::rect(3840 + kWiden / 2, 6120, 1455 + kWiden / 2, 330));
    // Enter answers OK even while Reset has the focus.
    cmdDelHS->setAutoDefault(false);
    cmdOK->setText(QStringLiteral("&OK"));
    cmdOK->setDefault(true);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdDelHS, &QPushButton::clicked, this, [this] { cmdDelHS_Click(); });
}

void frmHighscore::Form_Load()
{
    Procedure proc{"frmHighscore", "Form_Load"};
    proc.run({
        // Any mode other than slide is a swap game and is filed with them.
        [&] {
            const int swap = settings().Mode() != game::Mode::Slide ? 1 : 0;
            Section = QStringLiteral("m%1%2").arg(settings().Size()).arg(swap);
        },
        [&] { GetHS(); },
        [&] {
            if (HSScore)
                CheckHS();
        },
        [&] { lblTitle->setText(QStringLiteral("Tavoro Champions")); },
        [&] {
            paint(this, QPalette::Window, kBackground);
            paint(lblTitle, QPalette::Window, kTitleBack);
            paint(lblTitle, QPalette::WindowText, kBrown);
        },
        [&] { ShowHS(); },
    });
}

void frmHighscore::Form_Activate()
{
    Procedure proc{"frmHighscore", "Form_Activate"};
    QString modeText;
    proc.run({
        [&] { lblHeader[0]->setText(seams().GetLang(int16_t(settings().Sprache() + 144))); },
        [&] { lblHeader[1]->setText(seams().GetLang(int16_t(settings().Sprache() + 106))); },
        [&] { lblHeader[2]->setText(seams().GetLang(int16_t(settings().Sprache() + 145))); },
        [&] {
            const int message = settings().Mode() == game::Mode::Slide ? 161 : 162;
            modeText = seams().GetLang(int16_t(settings().Sprache() + message));
        },
        [&] {
            lblMode->setText(seams().GetLang(int16_t(settings().Sprache() + 147)) + QLatin1Char(':')
                             + withSign(settings().Size()) + QStringLiteral(" x") + withSign(settings().Size())
                             + QStringLiteral("     ")
                             + seams().GetLang(int16_t(settings().Sprache() + 166))
                             + QStringLiteral(": ") + modeText);
        },
        [&] { cmdDelHS->setText(seams().GetLang(int16_t(settings().Sprache() + 159))); },
        [&] { describeRows(); },
    });
}

namespace {

// What the name box refuses as it is typed: more than a name's 20 characters,
// and characters the champions file cannot keep (it would store "?").
QString nameProblem(const QString& typed)
{
    const QString lost = champions::lostCharacters(typed);
    if (!lost.isEmpty())
        return seams().GetLang(int16_t(settings().Sprache() + kRefusedCharactersMessage)).arg(lost);
    if (typed.size() > champions::kNameLength)
        return seams()
            .GetLang(int16_t(settings().Sprache() + kNameTooLongMessage))
            .arg(champions::kNameLength);
    return {};
}

}  // namespace

void frmHighscore::CheckHS()
{
    Procedure proc{"frmHighscore", "CheckHS"};
    QString last;
    std::optional<QString> answer;
    proc.run({
        [&] { last = lstSort.List(9); },
        // A result equal to the tenth keeps out: the tenth stays.
        [&] {
            if (!champions::qualifies(*HSScore, last) || champions::tiesLast(*HSScore, last))
                proc.leave();
        },
        // The prompt shows the result and its rank, and offers the name last
        // entered.
        [&] {
            const QString preset = settings().loadLastName();
            answer = seams().InputBox(parentWidget(), namePrompt(preset),
                                      seams().GetLang(int16_t(settings().Sprache() + 128)), preset,
                                      nameProblem);
        },
        // A cancelled box keeps the result out of the list. Characters the
        // file cannot keep are named before they are stored as "?".
        [&] {
            if (!answer)
                proc.leave();
            Name = champions::nameFromAnswer(*answer);
            const QString lost = champions::lostCharacters(answer->trimmed());
            if (!lost.isEmpty())
                seams().tell(parentWidget(), seams()
                                                 .GetLang(int16_t(settings().Sprache()
                                                                  + kLostCharactersMessage))
                                                 .arg(lost));
        },
        [&] { NewEntry = *HSScore + Name; },
        // The name box may have stood open for minutes, and another copy of
        // the game may have stored a result meanwhile: rank among what the
        // file holds now.
        [&] { GetHS(); },
        [&] { lstSort.AddItem(NewEntry); },
        [&] {
            if (!WriteHS())
                warnNotSaved();
        },
        [&] {
            newRank = static_cast<int>(lstSort.items().lastIndexOf(NewEntry)) + 1;
            if (newRank > 10)
                newRank = 0;
        },
        [&] {
            settings().setLastName(Name);
            settings().storeLastName();
        },
    });
}

QString frmHighscore::namePrompt(const QString& preset) const
{
    const QString score = HSScore.value_or(QString());
    const int rank = champions::rankOf(lstSort, score + preset);
    const QString result = seams()
                               .GetLang(int16_t(settings().Sprache() + kResultMessage))
                               .arg(rank)
                               .arg(score.mid(5, 5).toInt())
                               .arg(score.left(5).toInt());
    return seams().GetLang(int16_t(settings().Sprache() + 126)) + QStringLiteral("\n\n") + result;
}

void frmHighscore::ShowHS()
{
    Procedure proc{"frmHighscore", "ShowHS"};
    proc.run({
        [&] {
            for (int i = 1; i <= 10; ++i) {
                const champions::Row row = champions::rowOf(lstSort.List(i - 1));
                lblHName[i]->setText(row.name);
                lblHScore[10 + i]->setText(row.seconds);
                lblHScore[i]->setText(row.moves);
                markRow(i, i == newRank);
            }
            describeRows();
        },
    });
}

void frmHighscore::describeRows()
{
    // A screen reader reads each row as one: "1. Anna, Moves 12, Time (s) 7";
    // an empty place by its rank alone.
    for (int i = 1; i <= 10; ++i) {
        const QString moves = lblHScore[i]->text().trimmed();
        const QString seconds = lblHScore[10 + i]->text().trimmed();
        QString whole = Label1[i]->text();
        if (!lblHName[i]->text().isEmpty() || !moves.isEmpty() || !seconds.isEmpty())
            whole += QStringLiteral(" %1, %2 %3, %4 %5")
                         .arg(lblHName[i]->text(), lblHeader[1]->text(), moves,
                              lblHeader[2]->text(), seconds);
        Label1[i]->setAccessibleName(whole);
    }
}

void frmHighscore::cmdOK_Click()
{
    Procedure proc{"frmHighscore", "cmdOK_Click"};
    proc.run({
        [&] { accept(); },
    });
}

void frmHighscore::cmdDelHS_Click()
{
    Procedure proc{"frmHighscore", "cmdDelHS_Click"};
    bool yes = false;
    proc.run({
        [&] {
            yes = seams().askYesNoDefaultNo(this,
                                            seams().GetLang(int16_t(settings().Sprache() + 164)),
                                            seams().GetLang(int16_t(settings().Sprache() + 155)));
        },
        // No leaves the focus on OK, so that Enter then closes the window.
        [&] {
            if (!yes) {
                cmdOK->setFocus();
                proc.leave();
            }
        },
        [&] {
            if (!SaveHS(std::nullopt, QString()))
                warnNotSaved();
        },
        // The window stays and shows the list as the file now holds it:
        // emptied, or as it was when it could not be written.
        [&] {
            newRank = 0;
            GetHS();
            ShowHS();
            cmdOK->setFocus();
        },
    });
}

void frmHighscore::markRow(int i, bool isNew)
{
    for (QLabel* label : {Label1[i], lblHName[i], lblHScore[i], lblHScore[10 + i]}) {
        QFont f = label->font();
        f.setBold(isNew);
        label->setFont(f);
        paint(label, QPalette::WindowText, isNew ? kNewEntryColour : kBrown);
    }
}

void frmHighscore::warnNotSaved()
{
    QWidget* owner = isVisible() ? this : parentWidget();
    seams().warn(owner, seams().GetLang(int16_t(settings().Sprache() + kNotSavedMessage)));
}

void frmHighscore::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The texts are in place before the first paint, even where the window
    // system gives the window no focus.
    if (!event->spontaneous())
        Form_Activate();
}

void frmHighscore::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmHighscore::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the window as OK does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

namespace champions {

void showHighscore(QWidget* owner, std::optional<game::Score> result)
{
    frmHighscore window(owner, result ? std::optional<QString>(QString::fromStdString(result->text()))
                                      : std::nullopt);
    window.Form_Load();
    window.exec();
}

}  // namespace champions
