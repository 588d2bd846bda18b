#pragma once
// What the main window's menus hand to the desktop.

#include <QString>

namespace mainwindow {

// The e-mail to the maker: "mailto:" + the service address + "?Subject=" +
// the program's title.
QString mailTarget();

}  // namespace mainwindow
