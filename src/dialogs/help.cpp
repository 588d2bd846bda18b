#include "dialogs/help.h"

#include "dialogs/help_window.h"
#include "platform/locale.h"

#include <QFile>
#include <QPointer>
#include <QUrl>

namespace help {

QString HelpFileName()
{
    return QStringLiteral("Tavoro.chm");
}

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

void HtmlHelp(QWidget* owner, int16_t sprache)
{
    // One help window per owner, kept hidden between uses; without an owner, one of its own.
    static QPointer<HelpWindow> orphan;
    if (!QFile::exists(QLatin1Char(':') + QUrl(TopicUrl(sprache, DefaultTopic())).path()))
        return;
    HelpWindow* window =
        owner ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : orphan.data();
    if (!window) {
        window = new HelpWindow(owner);
        if (!owner)
            orphan = window;
    }
    window->openAt(sprache, DefaultTopic());
}

}  // namespace help
