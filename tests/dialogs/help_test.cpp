// The help window and the help pages built into the program: each language
// opens at its own default page, every language has the same pages, and every
// link and picture of every page leads somewhere.

#include "platform/appinfo.h"
#include "dialogs/help.h"
#include "dialogs/help_window.h"
#include "platform/seams.h"
#include "support/game_folders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QPointer>
#include <QTest>
#include <QTextDocument>
#include <QWindow>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

static void PrintTo(const QUrl& url, std::ostream* os)
{
    *os << url.toString().toStdString();
}

namespace {

struct Language {
    int16_t sprache;
    const char* folder;
    const char* heading;  // the default page's title
    const char* window;   // the window's title
};

const Language kLanguages[] = {
    {0, "de", "Willkommen bei Tavoro", "Tavoro – Hilfe"},
    {1000, "en", "Welcome to Tavoro", "Tavoro – Help"},
    {2000, "sv", "Välkommen till Tavoro", "Tavoro – Hjälp"},
    {3000, "it", "Benvenuti in Tavoro", "Tavoro – Guida"},
    {5000, "es", "Bienvenido a Tavoro", "Tavoro – Ayuda"},
    {6000, "fr", "Bienvenue dans Tavoro", "Tavoro – Aide"},
};

QString readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList pagesOf(const QString& folder)
{
    QStringList pages;
    QDirIterator it(QStringLiteral(":/help/") + folder, {QStringLiteral("*.html")});
    while (it.hasNext())
        pages << it.next().section(QLatin1Char('/'), -1);
    pages.sort();
    return pages;
}

QString resourcePath(const QUrl& url)
{
    return QLatin1Char(':') + url.path();
}

class HelpWindowTest : public ::testing::Test {
protected:
    testsupport::GameFolders files;  // the language table the window's words come from
    std::unique_ptr<QWidget> owner = std::make_unique<QWidget>();

    help::HelpWindow* window() const
    {
        return help::WindowOf(owner.get());
    }
};

TEST_F(HelpWindowTest, OpensAtTheDefaultPageOfEachLanguageInOneReusedWindow)
{
    owner->show();
    new QObject(owner.get());  // the owner's other children are no help window
    QPointer<help::HelpWindow> first;
    for (const Language& l : kLanguages) {
        SCOPED_TRACE(l.folder);
        help::HtmlHelp(owner.get(), l.sprache);
        help::HelpWindow* w = window();
        ASSERT_NE(w, nullptr);
        if (!first)
            first = w;
        EXPECT_EQ(w, first.data());
        EXPECT_TRUE(w->isVisible());
        // An ordinary window of the desktop, not one kept above the game.
        EXPECT_EQ(w->windowType(), Qt::Window);
        EXPECT_EQ(w->parentWidget(), nullptr);
        EXPECT_EQ(w->windowHandle()->transientParent(), nullptr);
        EXPECT_FALSE(w->isModal());
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(l.window));
        EXPECT_EQ(w->browser()->source(),
                  QUrl(QStringLiteral("qrc:/help/%1/index.html").arg(QLatin1String(l.folder))));
        EXPECT_EQ(w->browser()->documentTitle(), QString::fromUtf8(l.heading));
        // The contents list is in the same language and marks the page shown.
        ASSERT_EQ(w->contents()->count(), help::Topics().size());
        EXPECT_EQ(w->contents()->currentRow(), 0);
        EXPECT_EQ(w->contents()->item(0)->text(), QString::fromUtf8(l.heading));
    }
    // It goes with its owner.
    owner.reset();
    EXPECT_TRUE(first.isNull());
}

TEST_F(HelpWindowTest, AnyOtherLanguageValueShowsEnglish)
{
    for (int16_t sprache : {int16_t(4000), int16_t(-1), int16_t(1234)}) {
        help::HtmlHelp(owner.get(), sprache);
        EXPECT_EQ(window()->browser()->source(), QUrl(QStringLiteral("qrc:/help/en/index.html")));
    }
}

TEST_F(HelpWindowTest, ContentsLinksBackForwardAndFindWork)
{
    help::HtmlHelp(owner.get(), 1000);
    help::HelpWindow* w = window();
    w->contents()->setCurrentRow(3);
    const QUrl toolbar(QStringLiteral("qrc:/help/en/toolbar.html"));
    EXPECT_EQ(w->browser()->source(), toolbar);

    // A link inside the page, then back twice and forward once.
    emit w->browser()->anchorClicked(QUrl(QStringLiteral("champions.html")));
    EXPECT_EQ(w->browser()->source().fileName(), QStringLiteral("champions.html"));
    EXPECT_EQ(w->contents()->currentRow(), help::Topics().indexOf(QStringLiteral("champions.html")));
    w->browser()->backward();
    EXPECT_EQ(w->browser()->source(), toolbar);
    w->browser()->forward();
    EXPECT_EQ(w->browser()->source().fileName(), QStringLiteral("champions.html"));

    // Links to the outside go to the desktop's programs, not into the window.
    QStringList opened;
    platform::seams().openAddress = [&](const QString& a) { opened << a; return true; };
    emit w->browser()->anchorClicked(QUrl(QStringLiteral("https://www.tavoro.example/")));
    platform::resetSeams();
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://www.tavoro.example/")});
    EXPECT_EQ(w->browser()->source().fileName(), QStringLiteral("champions.html"));

    // The page on files names the folder of the player's files on this computer.
    w->contents()->setCurrentRow(help::Topics().indexOf(QStringLiteral("files.html")));
    const QString text = w->browser()->toPlainText();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(appinfo::dataFolder())));
    EXPECT_FALSE(text.contains(QStringLiteral("%DATAFOLDER%")));
    w->contents()->setCurrentRow(help::Topics().indexOf(QStringLiteral("champions.html")));

    // Ctrl+F opens the find bar; a word on the page is found, again from the top
    // when it runs out; a word that is not there is reported.
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w->browser(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(w->findBar()->isVisibleTo(w));
    w->findField()->setText(QStringLiteral("Reset"));
    EXPECT_TRUE(w->findAgain());
    EXPECT_EQ(w->browser()->textCursor().selectedText(), QStringLiteral("Reset"));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(w->findAgain());
    w->findField()->setText(QStringLiteral("xylophone"));
    EXPECT_FALSE(w->findAgain());
}

// Find goes on through the other pages of the language, in the order of the
// contents, round to the first match again; backwards it goes the other way.
TEST_F(HelpWindowTest, FindSearchesEveryPageOfTheLanguage)
{
    help::HtmlHelp(owner.get(), 6000);
    help::HelpWindow* w = window();
    const QString word = QStringLiteral("pics");
    QStringList expected;  // the page of each match, in order
    for (const QString& page : help::Topics()) {
        QTextDocument document;
        document.setHtml(readAll(QStringLiteral(":/help/fr/") + page));
        for (int i = document.toPlainText().count(word, Qt::CaseInsensitive); i > 0; --i)
            expected << page;
    }
    ASSERT_FALSE(expected.contains(help::DefaultTopic()));
    const int matches = int(expected.size());
    expected.removeDuplicates();
    ASSERT_GE(expected.size(), 2);

    w->findField()->setText(word);
    QStringList found;
    QString previous;
    for (int i = 0; i < matches; ++i) {
        ASSERT_TRUE(w->findAgain());
        EXPECT_EQ(w->browser()->textCursor().selectedText().toLower(), word);
        const QString page = w->browser()->source().fileName();
        if (page != previous)
            found << page;
        previous = page;
    }
    EXPECT_EQ(found, expected);
    // Round again: the first page, and from there backwards the last.
    while (w->browser()->source().fileName() == expected.last())
        ASSERT_TRUE(w->findAgain());
    EXPECT_EQ(w->browser()->source().fileName(), expected.first());
    ASSERT_TRUE(w->findAgain(true));
    ASSERT_TRUE(w->findAgain(true));
    EXPECT_EQ(w->browser()->source().fileName(), expected.last());
    // Not on any page: reported, and the page stays.
    w->findField()->setText(QStringLiteral("xylophone"));
    EXPECT_FALSE(w->findAgain());
    EXPECT_EQ(w->browser()->source().fileName(), expected.last());
}

QString titleOf(const QString& html)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*)</title>"));
    return title.match(html).captured(1);
}

// The same pages everywhere, each marked with its folder's language and none
// left with the English title (a page copied but not translated).
TEST(HelpPages, EveryLanguageHasTheSamePagesTranslatedAndTheContentsListsThemAll)
{
    QStringList listed = help::Topics();
    ASSERT_TRUE(listed.contains(help::DefaultTopic()));
    listed.sort();
    for (const Language& l : kLanguages) {
        SCOPED_TRACE(l.folder);
        const QString folder = QLatin1String(l.folder);
        EXPECT_EQ(pagesOf(folder).join(u' ').toStdString(), listed.join(u' ').toStdString());
        for (const QString& page : listed) {
            const QString html = readAll(QStringLiteral(":/help/%1/%2").arg(folder, page));
            EXPECT_TRUE(html.contains(QStringLiteral("<html lang=\"%1\">").arg(folder)))
                << page.toStdString();
            const QString english = titleOf(readAll(QStringLiteral(":/help/en/") + page));
            EXPECT_FALSE(titleOf(html).isEmpty()) << page.toStdString();
            if (folder != QLatin1String("en"))
                EXPECT_NE(titleOf(html), english) << page.toStdString();
        }
    }
}

// Every href and src of every page: a page, style sheet or picture inside the
// program (a picture must also load), and an anchor the target page has.
TEST(HelpPages, EveryInternalLinkAndPictureResolves)
{
    static const QRegularExpression attribute(
        QStringLiteral("\\b(href|src)\\s*=\\s*\"([^\"]*)\""));
    int links = 0;
    for (const Language& l : kLanguages) {
        for (const QString& page : pagesOf(QLatin1String(l.folder))) {
            const QUrl base(QStringLiteral("qrc:/help/%1/%2").arg(QLatin1String(l.folder), page));
            const QString html = readAll(resourcePath(base));
            for (auto m = attribute.globalMatch(html); m.hasNext();) {
                const auto match = m.next();
                const QUrl target = base.resolved(QUrl(match.captured(2)));
                SCOPED_TRACE((base.toString() + QStringLiteral(" -> ") + match.captured(2)).toStdString());
                if (target.scheme() != QLatin1String("qrc"))
                    continue;  // web or mail addresses leave the help
                ++links;
                const QString path = resourcePath(target);
                ASSERT_TRUE(QFile::exists(path));
                if (match.captured(1) == QLatin1String("src"))
                    EXPECT_FALSE(QImage(path).isNull());
                if (target.hasFragment()) {
                    const QString anchor = QStringLiteral("id=\"%1\"").arg(target.fragment());
                    EXPECT_TRUE(readAll(path).contains(anchor));
                }
            }
        }
    }
    EXPECT_GT(links, 100);
}

}  // namespace
