#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace shell {

namespace {
std::function<bool(const QString&)> opener;
}

bool open(const QString& address)
{
    if (opener)
        return opener(address);
    return QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

void setOpenerForTesting(std::function<bool(const QString&)> fn)
{
    opener = std::move(fn);
}

}  // namespace shell
