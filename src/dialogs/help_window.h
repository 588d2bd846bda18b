#pragma once
// The help window: an ordinary window of the desktop, placed over its owner
// when first shown, with the contents list on the left, the page on the
// right, back, forward, contents and find in its toolbar, and a find bar that
// Ctrl+F opens below the page.

#include <QHash>
#include <QPointer>
#include <QTextBrowser>
#include <QWidget>
#include <cstdint>

class QAction;
class QLabel;
class QLineEdit;
class QSplitter;
class QListWidget;
class QToolButton;

namespace help {

// A text browser that fills in the place-holder %DATAFOLDER% of a page with
// the folder that holds the player's files on this computer.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    // Shows the window in front of its owner at `page` in the language `sprache`.
    void openAt(int16_t sprache, const QString& page);

    // Looks for the find field's text from the cursor on; when the page holds
    // no further match, on the next page of the contents that holds it
    // (backwards: the previous one), and at last again on this page from its
    // other end. False (and "not found" shown) when no page holds it.
    bool findAgain(bool backwards = false);

    int16_t language() const { return sprache_; }
    QTextBrowser* browser() const { return browser_; }
    QListWidget* contents() const { return contents_; }
    QLineEdit* findField() const { return findField_; }
    QWidget* findBar() const { return findBar_; }

private:
    void applyLanguage();
    void fillContents();
    void markTopic(const QUrl& source);
    void openFindBar();
    void closeFindBar();
    void followLink(const QUrl& link);
    void placeBesideOwner();
    QString pageText(const QString& page);  // a page of the language shown, as plain text

    QPointer<QWidget> owner_;
    QHash<QString, QString> pageTexts_;
    int16_t sprache_ = 0;
    QString folder_;  // the language folder shown, empty before the first page
    bool placed_ = false;
    HelpBrowser* browser_ = nullptr;
    QListWidget* contents_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QLabel* contentsHeading_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QAction* home_ = nullptr;
    QAction* find_ = nullptr;
    QWidget* findBar_ = nullptr;
    QLineEdit* findField_ = nullptr;
    QToolButton* findPrevious_ = nullptr;
    QToolButton* findNext_ = nullptr;
    QToolButton* findClose_ = nullptr;
    QLabel* notFound_ = nullptr;
};

}  // namespace help
