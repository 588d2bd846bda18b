#pragma once
// Folders of a test's own for the game: the program's folder, which holds the
// settings file, and the user's temporary folder (TMPDIR), which holds the
// language file with the real language table. Everything is put back when
// the object goes.

#include "platform/seams.h"
#include "services/language.h"
#include "services/seams.h"
#include "support/files.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

namespace testsupport {

class GameFolders {
public:
    QTemporaryDir folder;  // the program's folder
    QTemporaryDir temp;    // the user's temporary folder

    GameFolders()
    {
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        platform::seams().programFolder = folder.path();
        services::seams().languageFile = temp.filePath("~tmp.lng");
        Allgemein::WriteLanguageFile();
    }

    ~GameFolders()
    {
        services::resetSeams();
        platform::resetSeams();
        qputenv("TMPDIR", oldTmp_);
    }

    QString iniPath() const { return folder.filePath("Tavoro.ini"); }
    bool writeIni(const QByteArray& text) const { return writeFile(iniPath(), text); }
    QByteArray ini() const { return readFile(iniPath()); }

private:
    QByteArray oldTmp_ = qgetenv("TMPDIR");
};

}  // namespace testsupport
