#pragma once
// Facts about the running program: its folder (where it keeps Tavoro.ini,
// Tavoro.hsc, the error log and the "pics" folder), the base name of its
// executable, its title and its version.

#include <QString>

namespace appinfo {

// The application title, "Tavoro". The settings and champions files carry it.
QString title();

// The folder that holds the program, without a trailing separator.
QString programFolder();

// The program file's name without its extension ("Tavoro").
QString exeBaseName();

int versionMajor();
int versionMinor();
int versionRevision();
// "1.0.0"
QString versionText();

// Tests run the game's code from a test program: they point the program
// folder and the executable's base name elsewhere. Empty restores the real ones.
void setProgramFolderForTesting(const QString& folder);
void setExeBaseNameForTesting(const QString& baseName);

}  // namespace appinfo
