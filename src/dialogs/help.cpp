#include "dialogs/help.h"

#include "dialogs/help_window.h"
#include "platform/locale.h"

#include <QFile>
#include <QPointer>
#include <QUrl>

namespace help {

QString LanguageFolder(int16_t sprache)
{
    return userlocale::languageCode(sprache);
}

QString DefaultTopic()
{
    return QStringLiteral("index.html");
}

QStringList Topics()
{
    QStringList pages;
    QFile list(QStringLiteral(":/help/contents.txt"));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return pages;
    while (!list.atEnd()) {
        const QString line = QString::fromUtf8(list.readLine()).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            pages << line;
    }
    return pages;
}

QString TopicUrl(int16_t sprache, const QString& page)
{
    return QStringLiteral("qrc:/help/") + LanguageFolder(sprache) + QLatin1Char('/') + page;
}

namespace {

// Holds an owner's help window: a child of the owner, so that the window goes
// with it, while the window itself stands on the desktop as an ordinary
// window (a child window would be kept above the game).
class HelpWindowHolder : public QObject {
public:
    explicit HelpWindowHolder(QWidget* owner) : QObject(owner), window(new HelpWindow(owner))
    {
        setObjectName(QStringLiteral("HelpWindowHolder"));
    }
    ~HelpWindowHolder() override { delete window.data(); }

    QPointer<HelpWindow> window;
};

HelpWindowHolder* holderOf(QWidget* owner)
{
    // By name: the holder has no meta-object of its own to look it up by.
    return dynamic_cast<HelpWindowHolder*>(
        owner->findChild<QObject*>(QStringLiteral("HelpWindowHolder"), Qt::FindDirectChildrenOnly));
}

}  // namespace

HelpWindow* WindowOf(QWidget* owner)
{
    HelpWindowHolder* holder = owner ? holderOf(owner) : nullptr;
    return holder ? holder->window.data() : nullptr;
}

void HtmlHelp(QWidget* owner, int16_t sprache)
{
    // One help window per owner, kept hidden between uses; without an owner, one of its own.
    static QPointer<HelpWindow> orphan;
    if (!QFile::exists(QLatin1Char(':') + QUrl(TopicUrl(sprache, DefaultTopic())).path()))
        return;
    HelpWindow* window = owner ? WindowOf(owner) : orphan.data();
    if (!window) {
        if (owner)
            window = (new HelpWindowHolder(owner))->window;
        else
            window = orphan = new HelpWindow(nullptr);
    }
    window->openAt(sprache, DefaultTopic());
}

}  // namespace help
