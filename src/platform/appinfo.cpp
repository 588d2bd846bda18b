#include "platform/appinfo.h"

#include "platform/seams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

// The folder `cmake --install` puts the program in, and the name of its menu
// entry; the build passes them in.
#ifndef TAVORO_INSTALL_BINDIR
#define TAVORO_INSTALL_BINDIR ""
#endif
#ifndef TAVORO_APP_ID
#define TAVORO_APP_ID "example.tavoro.Tavoro"
#endif

namespace appinfo {

namespace {
QString chosenDataFolder;

// Makes the player's folder, with its "pics" folder for their own pictures,
// readable by the player alone. A failure is silent: the files then cannot be
// written, which every writer of them already handles.
void makePlayerFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return;
    if (QDir().mkpath(folder))
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir().mkpath(folder + QStringLiteral("/pics"));
}
}  // namespace

QString title()
{
    return QStringLiteral("Tavoro");
}

QString programFolder()
{
    if (const QString& folder = platform::seams().programFolder; !folder.isEmpty())
        return folder;
    return QCoreApplication::applicationDirPath();
}

QString dataFolder()
{
    if (const QString& folder = platform::seams().programFolder; !folder.isEmpty())
        return folder;
    if (chosenDataFolder.isEmpty()) {
        DataFolderFacts facts;
        facts.programFolder = programFolder();
        facts.programFolderWritable = mayKeepFilesIn(facts.programFolder);
        facts.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
        facts.home = QDir::homePath();
        chosenDataFolder = chooseDataFolder(facts);
        if (chosenDataFolder != facts.programFolder)
            makePlayerFolder(chosenDataFolder);
    }
    return chosenDataFolder;
}

QString chooseDataFolder(const DataFolderFacts& facts)
{
    if (facts.programFolderWritable)
        return facts.programFolder;
    QString base = QDir::cleanPath(facts.xdgDataHome);
    if (facts.xdgDataHome.isEmpty() || QDir::isRelativePath(base)) {
        if (facts.home.isEmpty() || QDir::isRelativePath(facts.home))
            return facts.programFolder;  // nowhere better; writes there fail quietly
        base = QDir::cleanPath(facts.home + QStringLiteral("/.local/share"));
    }
    if (base == QStringLiteral("/"))
        return QStringLiteral("/Tavoro");
    return base + QStringLiteral("/Tavoro");
}

bool mayKeepFilesIn(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable())
        return false;
    // Only a folder of the player's own that nobody else may write: in a
    // shared copy another account could plant links or files under the
    // game's names there.
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || st.st_uid != ::geteuid()
        || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return false;
    const QString installed = QFileInfo(QStringLiteral(TAVORO_INSTALL_BINDIR)).canonicalFilePath();
    return installed.isEmpty() || info.canonicalFilePath() != installed;
}

QString desktopId()
{
    return QStringLiteral(TAVORO_APP_ID);
}

QString exeBaseName()
{
    if (const QString& name = platform::seams().exeBaseName; !name.isEmpty())
        return name;
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

int versionMajor() { return TAVORO_VERSION_MAJOR; }
int versionMinor() { return TAVORO_VERSION_MINOR; }
int versionRevision() { return TAVORO_VERSION_PATCH; }

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(versionMajor()).arg(versionMinor()).arg(versionRevision());
}

}  // namespace appinfo
