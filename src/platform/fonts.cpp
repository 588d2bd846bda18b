#include "platform/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QThreadPool>

#include <fontconfig/fontconfig.h>

#include <thread>

namespace fonts {

void loadConfigurationEarly()
{
    // Thread-safe in fontconfig: whoever comes second finds it loaded, or
    // loads it too and keeps one of the two.
    std::thread([] { FcInit(); }).detach();
}

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
