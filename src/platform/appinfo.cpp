#include "platform/appinfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace appinfo {

namespace {
QString folderOverride;
QString baseNameOverride;
}  // namespace

QString title()
{
    return QStringLiteral("Tavoro");
}

QString programFolder()
{
    if (!folderOverride.isEmpty())
        return folderOverride;
    return QCoreApplication::applicationDirPath();
}

QString dataFolder()
{
    return programFolder();
}

QString exeBaseName()
{
    if (!baseNameOverride.isEmpty())
        return baseNameOverride;
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

int versionMajor() { return TAVORO_VERSION_MAJOR; }
int versionMinor() { return TAVORO_VERSION_MINOR; }
int versionRevision() { return TAVORO_VERSION_PATCH; }

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(versionMajor()).arg(versionMinor()).arg(versionRevision());
}

void setProgramFolderForTesting(const QString& folder)
{
    folderOverride = folder;
}

void setExeBaseNameForTesting(const QString& baseName)
{
    baseNameOverride = baseName;
}

}  // namespace appinfo
