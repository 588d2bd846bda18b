#include "dialogs/help_window.h"

#include "platform/appinfo.h"
#include "dialogs/help.h"
#include "services/seams.h"
#include "widgets/open_address.h"
#include "widgets/room_look.h"
#include "platform/window_activation.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextDocumentFragment>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace help {

namespace {

// The window's own words: messages of the language table.
enum Word : int16_t {
    Title = 182,
    Contents = 183,
    Back = 184,
    Forward = 185,
    Find = 186,
    PreviousMatch = 187,
    NextMatch = 188,
    Close = 189,
    NotFound = 240,
};

// The page's <title>, as plain text.
QString pageTitle(const QString& resourcePath)
{
    QFile f(resourcePath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption
                                              | QRegularExpression::DotMatchesEverythingOption);
    const auto m = title.match(QString::fromUtf8(f.readAll()));
    return m.hasMatch() ? QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText().simplified()
                        : QString();
}

}  // namespace

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    QVariant data = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::HtmlResource || data.typeId() != QMetaType::QByteArray)
        return data;
    QString page = QString::fromUtf8(data.toByteArray());
    page.replace(QStringLiteral("%DATAFOLDER%"),
                 QDir::toNativeSeparators(appinfo::dataFolder()).toHtmlEscaped());
    return page;
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(nullptr, Qt::Window), owner_(owner)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);  // closing only hides; the next F1 reuses it
    widgets::useRoomLook(this);

    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbar->setIconSize(QSize(20, 20));
    back_ = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QString());
    forward_ = toolbar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString());
    toolbar->addSeparator();
    home_ = toolbar->addAction(style()->standardIcon(QStyle::SP_FileDialogListView), QString());
    find_ = toolbar->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), QString());
    back_->setShortcut(QKeySequence::Back);
    forward_->setShortcut(QKeySequence::Forward);
    find_->setShortcut(QKeySequence::Find);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    contentsHeading_ = new QLabel(this);
    contentsHeading_->setStyleSheet(QStringLiteral("font-weight: bold; padding: 4px 2px;"));
    contents_ = new QListWidget(this);
    contents_->setObjectName(QStringLiteral("contents"));
    contents_->setSpacing(2);
    contents_->setWordWrap(true);
    contents_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(6, 0, 0, 6);
    sideLayout->addWidget(contentsHeading_);
    sideLayout->addWidget(contents_);

    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("page"));
    browser_->setOpenLinks(false);
    browser_->document()->setDocumentMargin(16);
    QFont font = browser_->font();
    font.setPointSizeF(11);
    browser_->setFont(font);

    splitter_ = new QSplitter(this);
    auto* splitter = splitter_;
    splitter->addWidget(side);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 680});
    splitter->setChildrenCollapsible(false);

    findBar_ = new QWidget(this);
    auto* findLayout = new QHBoxLayout(findBar_);
    findLayout->setContentsMargins(6, 2, 6, 4);
    findField_ = new QLineEdit(findBar_);
    findField_->setClearButtonEnabled(true);
    findField_->setMinimumWidth(240);
    auto makeButton = [this](QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(findBar_);
        b->setIcon(style()->standardIcon(icon));
        b->setAutoRaise(true);
        return b;
    };
    findPrevious_ = makeButton(QStyle::SP_ArrowUp);
    findNext_ = makeButton(QStyle::SP_ArrowDown);
    findClose_ = makeButton(QStyle::SP_TitleBarCloseButton);
    notFound_ = new QLabel(findBar_);
    notFound_->setStyleSheet(QStringLiteral("color: #b00020;"));
    notFound_->hide();
    findLayout->addWidget(findField_);
    findLayout->addWidget(findPrevious_);
    findLayout->addWidget(findNext_);
    findLayout->addWidget(notFound_);
    findLayout->addStretch(1);
    findLayout->addWidget(findClose_);
    findBar_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(splitter, 1);
    layout->addWidget(findBar_);

    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(home_, &QAction::triggered, this,
            [this] { browser_->setSource(QUrl(TopicUrl(sprache_, DefaultTopic()))); });
    connect(find_, &QAction::triggered, this, &HelpWindow::openFindBar);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::markTopic);
    connect(contents_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        const QUrl url(TopicUrl(sprache_, contents_->item(row)->data(Qt::UserRole).toString()));
        if (browser_->source() != url)
            browser_->setSource(url);
    });
    connect(findField_, &QLineEdit::returnPressed, this, [this] { findAgain(false); });
    connect(findField_, &QLineEdit::textEdited, this, [this] {
        // Look again from the top of what was found, so the match grows as one types.
        QTextCursor c = browser_->textCursor();
        c.setPosition(c.selectionStart());
        browser_->setTextCursor(c);
        findAgain(false);
    });
    connect(findNext_, &QToolButton::clicked, this, [this] { findAgain(false); });
    connect(findPrevious_, &QToolButton::clicked, this, [this] { findAgain(true); });
    connect(findClose_, &QToolButton::clicked, this, &HelpWindow::closeFindBar);
    auto* again = new QShortcut(QKeySequence::FindNext, this);
    connect(again, &QShortcut::activated, this, [this] { findAgain(false); });
    auto* againBack = new QShortcut(QKeySequence::FindPrevious, this);
    connect(againBack, &QShortcut::activated, this, [this] { findAgain(true); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (findBar_->isVisible())
            closeFindBar();
        else
            close();
    });
}

void HelpWindow::openAt(int16_t sprache, const QString& page)
{
    const bool turned = LanguageFolder(sprache) != folder_;
    sprache_ = sprache;
    folder_ = LanguageFolder(sprache);
    if (turned) {
        applyLanguage();
        fillContents();
    }
    browser_->setSource(QUrl(TopicUrl(sprache_, page)));
    if (turned)
        browser_->clearHistory();  // back never leads into another language
    placeBesideOwner();
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    platform::activateWindow(this);
}

void HelpWindow::applyLanguage()
{
    // Pages of a language the table lacks are English; so are the words.
    const int16_t shown = LanguageFolder(sprache_) == QLatin1String("en") ? int16_t(1000) : sprache_;
    const auto word = [shown](Word w) { return services::seams().GetLang(int16_t(shown + w)); };
    setWindowTitle(word(Title));
    contentsHeading_->setText(word(Contents));
    back_->setText(word(Back));
    forward_->setText(word(Forward));
    home_->setText(word(Contents));
    find_->setText(word(Find));
    findField_->setPlaceholderText(word(Find));
    findPrevious_->setToolTip(word(PreviousMatch));
    findNext_->setToolTip(word(NextMatch));
    findClose_->setToolTip(word(Close));
    notFound_->setText(word(NotFound));
    contents_->setAccessibleName(word(Contents));
    browser_->setAccessibleName(word(Title));
}

void HelpWindow::fillContents()
{
    const QSignalBlocker quiet(contents_);
    contents_->clear();
    ensurePolished();  // the titles are measured in the font of the window's look
    const QFontMetrics metrics(contents_->font());
    int longest = 0;
    for (const QString& page : Topics()) {
        const QString path = QUrl(TopicUrl(sprache_, page)).path();
        auto* item = new QListWidgetItem(pageTitle(QLatin1Char(':') + path), contents_);
        item->setData(Qt::UserRole, page);
        longest = qMax(longest, metrics.horizontalAdvance(item->text()));
    }
    // Room for the longest title of this language on one line (beside the
    // scroll bar), within reason; a longer one wraps.
    const int wanted = longest + 2 * contents_->frameWidth() + 4 * contents_->spacing()
                       + contents_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 16;
    const int side = qBound(180, wanted, 340);
    const int total = splitter_->width() > 0 ? splitter_->width() : 900;
    splitter_->setSizes({side, qMax(total - side, 300)});
}

void HelpWindow::markTopic(const QUrl& source)
{
    const QString page = source.fileName();
    const QSignalBlocker quiet(contents_);
    contents_->setCurrentRow(-1);
    for (int row = 0; row < contents_->count(); ++row)
        if (contents_->item(row)->data(Qt::UserRole).toString() == page)
            contents_->setCurrentRow(row);
    notFound_->hide();
}

void HelpWindow::followLink(const QUrl& link)
{
    const QUrl target = browser_->source().resolved(link);
    const QString scheme = target.scheme();
    if (scheme == QLatin1String("qrc") || scheme.isEmpty())
        browser_->setSource(target);
    else
        // A web page or a mail address: the desktop's programs.
        widgets::openOrSaySo(this, target.toString(), target.toString());
}

void HelpWindow::openFindBar()
{
    findBar_->show();
    findField_->setFocus();
    findField_->selectAll();
}

void HelpWindow::closeFindBar()
{
    findBar_->hide();
    notFound_->hide();
    browser_->setFocus();
}

bool HelpWindow::findAgain(bool backwards)
{
    const QString text = findField_->text();
    notFound_->hide();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags =
        backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags))
        return true;
    // On to the next page that holds it, in the order of the contents
    // (backwards: the previous one), round to this page again.
    const QStringList topics = Topics();
    const int here = topics.indexOf(browser_->source().fileName());
    for (int step = 1; step <= topics.size(); ++step) {
        const int count = int(topics.size());
        const int at = ((here + (backwards ? -step : step)) % count + count) % count;
        if (at != here && !pageText(topics[at]).contains(text, Qt::CaseInsensitive))
            continue;
        if (at != here)
            browser_->setSource(QUrl(TopicUrl(sprache_, topics[at])));
        QTextCursor c = browser_->textCursor();
        c.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
        browser_->setTextCursor(c);
        if (browser_->find(text, flags))
            return true;
    }
    notFound_->show();
    return false;
}

QString HelpWindow::pageText(const QString& page)
{
    const QString key = folder_ + QLatin1Char('/') + page;
    auto known = pageTexts_.constFind(key);
    if (known != pageTexts_.cend())
        return *known;
    const QUrl url(TopicUrl(sprache_, page));
    QTextDocument document;
    document.setHtml(browser_->loadResource(QTextDocument::HtmlResource, url).toString());
    return pageTexts_.insert(key, document.toPlainText()).value();
}

void HelpWindow::placeBesideOwner()
{
    if (placed_)
        return;
    placed_ = true;
    resize(920, 660);
    QWidget* owner = owner_ ? owner_->window() : nullptr;
    QScreen* screen = owner ? owner->screen() : this->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    resize(size().boundedTo(room.size() * 0.9));
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(owner ? owner->frameGeometry().center() : room.center());
    frame.moveTopLeft(QPoint(qBound(room.left(), frame.left(), room.right() - frame.width()),
                             qBound(room.top(), frame.top(), room.bottom() - frame.height())));
    move(frame.topLeft());
}

}  // namespace help
