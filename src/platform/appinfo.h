#pragma once
// Facts about the running program: its folder, the folder of the player's
// files, the base name of its executable, its title and its version.

#include <QString>

namespace appinfo {

// The application title, "Tavoro". The settings and champions files carry it.
QString title();

// The folder that holds the program, without a trailing separator.
QString programFolder();

// The folder that holds the player's files: Tavoro.ini, Tavoro.hsc, the error
// log and saved protocol, and the "pics" folder. Every path to one of them is
// made from this folder, without a trailing separator. Today it is the
// program's folder.
QString dataFolder();

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
