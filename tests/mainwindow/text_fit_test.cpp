// Every text of every window fits its control in each of the six languages:
// the room (its furniture and the cloth of a paused game), the picture
// window (both sides), the wallpaper window, the champions window, the about
// box, the help window and the game's message boxes. A text that is cut, or
// that a control would have to elide, fails with the window, the language,
// the text and the pixels it lacks. Tooltips are left aside.

#include "champions/frmHighscore.h"
#include "dialogs/frmInfo.h"
#include "dialogs/dialog_controls.h"
#include "dialogs/frmPicAuswahl.h"
#include "dialogs/frmTapete.h"
#include "dialogs/help.h"
#include "dialogs/help_window.h"
#include "mainwindow/cloth.h"
#include "mainwindow/frmTavoro.h"
#include "platform/appinfo.h"
#include "services/picture_later.h"
#include "services/seams.h"
#include "services/settings.h"
#include "support/files.h"
#include "support/game_folders.h"
#include "support/room.h"
#include "widgets/room_look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

struct Language {
    int16_t sprache;
    const char* name;
};

const Language kLanguages[] = {{0, "de"},    {1000, "en"}, {2000, "sv"},
                               {3000, "it"}, {5000, "es"}, {6000, "fr"}};

// What a control's text lacks to show whole, or nothing.
struct Cut {
    QString control;
    QString text;
    double need;
    double room;
};

QString withoutMnemonic(QString text)
{
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QChar(1), QLatin1Char('&'));
    return text;
}

QString nameOf(const QWidget* w)
{
    return QString::fromLatin1(w->metaObject()->className())
        + (w->objectName().isEmpty() ? QString() : QLatin1Char(' ') + w->objectName());
}

// A text in a box: one line unless it may wrap; each line must fit the
// width, and the lines the height.
void checkBox(std::vector<Cut>& cuts, const QString& control, const QString& text,
              const QFont& font, const QRectF& box, bool wraps)
{
    if (text.isEmpty())
        return;
    const QFontMetricsF fm(font);
    if (!wraps) {
        for (const QString& line : text.split(QLatin1Char('\n')))
            if (fm.horizontalAdvance(line) > box.width() + 0.5)
                cuts.push_back({control, line, fm.horizontalAdvance(line), box.width()});
        return;
    }
    // Words break at white space and where a zero-width space allows it.
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("[\\s\\x{200B}]+")),
                                          Qt::SkipEmptyParts))
        if (fm.horizontalAdvance(word) > box.width() + 0.5)
            cuts.push_back({control, word, fm.horizontalAdvance(word), box.width()});
    const QRectF used = fm.boundingRect(QRectF(0, 0, box.width(), 1e6),
                                        Qt::TextWordWrap | Qt::AlignLeft, text);
    if (used.height() > box.height() + 0.5)
        cuts.push_back({control + QStringLiteral(" (height)"), text, used.height(), box.height()});
}

void checkLabel(std::vector<Cut>& cuts, const QLabel* l)
{
    if (l->text().isEmpty() || Qt::mightBeRichText(l->text()))
        return;
    const QString text = l->buddy() ? withoutMnemonic(l->text()) : l->text();
    QRectF box = l->contentsRect();
    const int indent = l->indent() > 0 ? l->indent() : 0;
    box.adjust(l->margin() + indent, l->margin(), -l->margin() - indent, -l->margin());
    // A centred line keeps a pixel free at either end, not touching the edges.
    if (!l->wordWrap() && (l->alignment() & Qt::AlignHCenter))
        box.adjust(1, 0, -1, 0);
    checkBox(cuts, nameOf(l), text, l->font(), box, l->wordWrap());
}

void checkButton(std::vector<Cut>& cuts, const QAbstractButton* b)
{
    const QString text = withoutMnemonic(b->text());
    if (text.isEmpty())
        return;
    if (qobject_cast<const QCheckBox*>(b) || qobject_cast<const QRadioButton*>(b)
        || qobject_cast<const QToolButton*>(b)) {
        // Their own size hint is exact: indicator or icon, spacing and text.
        if (b->sizeHint().width() > b->width())
            cuts.push_back({nameOf(b), text, double(b->sizeHint().width()), double(b->width())});
        return;
    }
    // A push button: the text and its icon inside the contents its style
    // (the room's look, with its padding) leaves within the frame.
    QStyleOptionButton option;
    option.initFrom(b);
    option.text = b->text();
    option.icon = b->icon();
    option.iconSize = b->iconSize();
    if (const auto* push = qobject_cast<const QPushButton*>(b); push && push->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    const QRect contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
    const double icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
    const double need = QFontMetricsF(b->font()).horizontalAdvance(text) + icon;
    if (need > contents.width())
        cuts.push_back({nameOf(b), text, need, double(contents.width())});
}

// Every text of a window's visible labels and buttons.
std::vector<Cut> cutsOf(const QWidget* window)
{
    std::vector<Cut> cuts;
    for (const QLabel* l : window->findChildren<QLabel*>())
        if (l->isVisibleTo(window))
            checkLabel(cuts, l);
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(window))
            checkButton(cuts, b);
    // A list's entries, each on its line (the help window's contents); the
    // names of the player's own files may be elided.
    for (const QListWidget* list : window->findChildren<QListWidget*>()) {
        if (!list->isVisibleTo(window) || dynamic_cast<const dialogs::FileListBox*>(list))
            continue;
        const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        for (int row = 0; row < list->count(); ++row) {
            const QListWidgetItem* item = list->item(row);
            const double need = QFontMetricsF(list->font()).horizontalAdvance(item->text()) + margin;
            const double room = std::min(list->visualItemRect(item).width(), list->viewport()->width());
            if (need > room)
                cuts.push_back({nameOf(list), item->text(), need, room});
        }
    }
    for (const QWidget* child : window->findChildren<QWidget*>())
        if (const auto* c = dynamic_cast<const mainwindow::Cloth*>(child); c && c->isVisibleTo(window))
            for (const auto& t : c->drawnTexts())
                checkBox(cuts, QStringLiteral("Cloth"), t.text, t.font, t.box,
                         (t.flags & Qt::TextWordWrap) != 0);
    return cuts;
}

std::string report(const std::vector<Cut>& cuts)
{
    std::string out;
    for (const Cut& c : cuts)
        out += QStringLiteral("  %1: \"%2\" needs %3 px, has %4\n")
                   .arg(c.control, c.text)
                   .arg(c.need, 0, 'f', 1)
                   .arg(c.room, 0, 'f', 1)
                   .toStdString();
    return out;
}

class TextFit : public ::testing::TestWithParam<Language> {
protected:
    testsupport::GameFolders files;
    widgets::RoomLook look;  // the dialogs' look, as the game has it

    void SetUp() override { Allgemein::settings().setSprache(GetParam().sprache); }
    void TearDown() override { Allgemein::settings() = Allgemein::Settings{}; }

    void expectWhole(const QWidget* window, const char* what)
    {
        const std::vector<Cut> cuts = cutsOf(window);
        EXPECT_TRUE(cuts.empty()) << what << " in " << GetParam().name << ":\n" << report(cuts);
    }

    // The texts of the message box a call opens, which is then closed.
    void expectWholeBox(const char* what, const std::function<void()>& open)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            seen = true;
            expectWhole(box, what);
            box->close();
        });
        open();
        EXPECT_TRUE(seen) << what;
    }
};

TEST_P(TextFit, TheRoomAtItsSmallestAndLargestAndPaused)
{
    auto w = testsupport::openRoom();
    w->Sprache();
    for (const QSize size : {QSize(684, 470), QSize(1920, 1080)}) {
        w->resize(size);
        w->positionieren();
        w->show();
        expectWhole(w.get(), "room");
    }
    w->Start();
    w->pauseGame();
    ASSERT_TRUE(w->paused());
    for (const QSize size : {QSize(684, 470), QSize(1920, 1080)}) {
        w->resize(size);
        w->positionieren();
        expectWhole(w.get(), "paused room");
    }
}

TEST_P(TextFit, ThePictureWindowOnBothSidesOnSmallAndLargeScreens)
{
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const QString pics = QDir(appinfo::dataFolder()).filePath(QStringLiteral("pics"));
    const auto screenPixels = services::seams().ScreenPixels;
    for (const QSize screen : {QSize(800, 600), QSize(1920, 1080)}) {
        SCOPED_TRACE(screen.width());
        services::seams().ScreenPixels = [screen](const QWidget*) { return screen; };
        QDir(pics).removeRecursively();
        frmPicAuswahl w;
        w.Form_Load();
        w.show();
        expectWhole(&w, "picture window, built-in pictures");
        // Each built-in picture's name under the grid.
        for (int i = 0; i < 16; ++i) {
            w.cmdNext_Click();
            expectWhole(&w, "picture window, a built-in picture's name");
        }
        w.imgTab_Click(0);  // the tab of the player's own files
        expectWhole(&w, "picture window, empty folder");
        ASSERT_TRUE(QDir().mkpath(pics));
        ASSERT_TRUE(picture.save(pics + QStringLiteral("/a long name of an own picture.png")));
        frmPicAuswahl again;
        again.Form_Load();
        again.show();
        again.imgTab_Click(0);
        again.File1->setCurrentRow(0);
        // Its preview arrives, and with it the stretch box (not square).
        QDeadlineTimer deadline(10000);
        while (pictures::readingsUnderWay() > 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        EXPECT_TRUE(again.chkStretch->isVisible());
        expectWhole(&again, "picture window, own picture");
    }
    services::seams().ScreenPixels = screenPixels;
}

TEST_P(TextFit, TheWallpaperChampionsAboutAndHelpWindows)
{
    frmTapete wallpaper;
    wallpaper.Form_Load();
    wallpaper.show();
    expectWhole(&wallpaper, "wallpaper window");

    frmHighscore champions;
    champions.Form_Load();
    champions.show();
    expectWhole(&champions, "champions window");

    const bool started = frmInfo::StartScreenShown;
    frmInfo::StartScreenShown = true;
    {
        frmInfo about;
        about.Form_Load();
        about.show();
        expectWhole(&about, "about box");
    }
    frmInfo::StartScreenShown = started;

    QWidget owner;
    help::HtmlHelp(&owner, GetParam().sprache);
    help::HelpWindow* helpWindow = help::WindowOf(&owner);
    ASSERT_NE(helpWindow, nullptr);
    helpWindow->findBar()->show();
    expectWhole(helpWindow, "help window");
}

TEST_P(TextFit, TheGamesMessageBoxes)
{
    auto& s = services::seams();
    for (int message : {124, 164, 230, 392, 393}) {
        expectWholeBox("question", [&] { s.askYesNo(nullptr, services::textOf(message), QStringLiteral("Tavoro")); });
        expectWholeBox("question, No first", [&] { s.askYesNoDefaultNo(nullptr, services::textOf(message), QStringLiteral("Tavoro")); });
    }
    for (int message : {171, 200, 233, 234})
        expectWholeBox("information", [&] { s.tell(nullptr, services::textOf(message)); });
    // The picture window's words on renaming and removing a picture.
    for (int message : {389, 390, 391, 394})
        expectWholeBox("warning", [&] {
            s.warn(nullptr, services::textOf(message).arg(QStringLiteral("Picture 2026-12-11 11.42.07 (2).png")));
        });
    expectWholeBox("warning", [&] {
        s.warn(nullptr, services::textOf(199) + QLatin1Char('\n')
                            + services::textOf(197).arg(QStringLiteral("a very large picture.png")));
    });
}

INSTANTIATE_TEST_SUITE_P(SixLanguages, TextFit, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
