#include "dialogs/help_window.h"

#include "platform/appinfo.h"
#include "dialogs/help.h"
#include "platform/shell.h"
#include "platform/window_activation.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextDocumentFragment>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

namespace help {

namespace {

// The window's own words in the six languages.
struct WindowTexts {
    const char* folder;
    const char* title;
    const char* contents;
    const char* back;
    const char* forward;
    const char* find;
    const char* previousMatch;
    const char* nextMatch;
    const char* close;
    const char* notFound;
};

constexpr std::array<WindowTexts, 6> kTexts = {{
    {"de", "Tavoro – Hilfe", "Inhalt", "Zurück", "Vorwärts", "Suchen", "Voriger Treffer",
     "Nächster Treffer", "Schließen", "Nicht gefunden"},
    {"en", "Tavoro – Help", "Contents", "Back", "Forward", "Find", "Previous match",
     "Next match", "Close", "Not found"},
    {"sv", "Tavoro – Hjälp", "Innehåll", "Bakåt", "Framåt", "Sök", "Föregående träff",
     "Nästa träff", "Stäng", "Hittades inte"},
    {"it", "Tavoro – Guida", "Sommario", "Indietro", "Avanti", "Trova", "Occorrenza precedente",
     "Occorrenza successiva", "Chiudi", "Non trovato"},
    {"es", "Tavoro – Ayuda", "Contenido", "Atrás", "Adelante", "Buscar", "Coincidencia anterior",
     "Coincidencia siguiente", "Cerrar", "No se ha encontrado"},
    {"fr", "Tavoro – Aide", "Sommaire", "Précédent", "Suivant", "Rechercher",
     "Occurrence précédente", "Occurrence suivante", "Fermer", "Introuvable"},
}};

const WindowTexts& textsFor(int16_t sprache)
{
    const QString folder = LanguageFolder(sprache);
    for (const auto& t : kTexts)
        if (folder == QLatin1String(t.folder))
            return t;
    return kTexts[1];
}

QString tr8(const char* text)
{
    return QString::fromUtf8(text);
}

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

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);  // closing only hides; the next F1 reuses it

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
    const WindowTexts& t = textsFor(sprache_);
    setWindowTitle(tr8(t.title));
    contentsHeading_->setText(tr8(t.contents));
    back_->setText(tr8(t.back));
    forward_->setText(tr8(t.forward));
    home_->setText(tr8(t.contents));
    find_->setText(tr8(t.find));
    findField_->setPlaceholderText(tr8(t.find));
    findPrevious_->setToolTip(tr8(t.previousMatch));
    findNext_->setToolTip(tr8(t.nextMatch));
    findClose_->setToolTip(tr8(t.close));
    notFound_->setText(tr8(t.notFound));
    contents_->setAccessibleName(tr8(t.contents));
    browser_->setAccessibleName(tr8(t.title));
}

void HelpWindow::fillContents()
{
    const QSignalBlocker quiet(contents_);
    contents_->clear();
    for (const QString& page : Topics()) {
        const QString path = QUrl(TopicUrl(sprache_, page)).path();
        auto* item = new QListWidgetItem(pageTitle(QLatin1Char(':') + path), contents_);
        item->setData(Qt::UserRole, page);
    }
    // Room for the longest title of this language, within reason.
    const int wanted = contents_->sizeHintForColumn(0) + 2 * contents_->frameWidth() + 20;
    const int side = qBound(180, wanted, 320);
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
        shell::open(target.toString());  // a web page or a mail address: the desktop's programs
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
    QTextCursor c = browser_->textCursor();
    c.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(c);
    if (browser_->find(text, flags))
        return true;
    notFound_->show();
    return false;
}

void HelpWindow::placeBesideOwner()
{
    if (placed_)
        return;
    placed_ = true;
    resize(920, 660);
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
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
