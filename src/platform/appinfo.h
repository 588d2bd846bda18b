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
// made from this folder, without a trailing separator. A program whose folder
// is the player's own (a portable copy, a build folder) keeps them beside
// itself; a folder that other accounts may write counts as installed;
// an installed one keeps them in the player's own data folder, which is made
// on first use. Chosen at the first call and kept for the run.
QString dataFolder();

// What the choice of the data folder depends on.
struct DataFolderFacts {
    QString programFolder;
    bool programFolderWritable = false;  // and not the folder the game was installed to
    QString xdgDataHome;                 // $XDG_DATA_HOME, empty when unset
    QString home;                        // the player's home folder
};

// The choice itself, without looking at the machine: the program folder when
// it can be written; otherwise <XDG data home>/Tavoro, where only an absolute
// $XDG_DATA_HOME counts and ~/.local/share stands in for a missing one.
QString chooseDataFolder(const DataFolderFacts& facts);

// Whether the game may keep its files in this folder: an existing folder that
// the user owns and can write, that no other account may write (no group or
// other write permission), and that is not the one the game was installed to.
bool mayKeepFilesIn(const QString& programFolder);

// The name of the game's menu entry and software centre entry, without
// ".desktop" ("example.tavoro.Tavoro").
QString desktopId();

// The program file's name without its extension ("Tavoro").
QString exeBaseName();

int versionMajor();
int versionMinor();
int versionRevision();
// "1.0.0"
QString versionText();

}  // namespace appinfo
