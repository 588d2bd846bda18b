#include "platform/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QThreadPool>

namespace fonts {

void prepareInBackground(const QStringList& families)
{
    // Ahead of the artwork drawn on the pool: the user interface's thread
    // waits for the font list as soon as it draws text.
    QThreadPool::globalInstance()->start(
        [families] {
            QFontDatabase::families();
            QFontMetrics(QFont()).height();
            for (const QString& family : families)
                QFontMetrics(QFont(family)).height();
        },
        2);
}

}  // namespace fonts
