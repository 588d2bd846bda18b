#include "platform/shell.h"

#include "platform/seams.h"

#include <QDesktopServices>
#include <QUrl>

namespace shell {

bool open(const QString& address)
{
    if (const auto& opener = platform::seams().openAddress)
        return opener(address);
    return QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

}  // namespace shell
