#pragma once
// What assistive technology (a screen reader) learns of the program's
// controls.
//
// A control that shows no text of its own (a toolbar icon, a flag, a picture)
// is named after its tooltip, and its name follows the tooltip whenever that
// changes, as it does with the language; a menu that pops up is named after its
// title each time it shows. A control may instead be named by a
// message of the language table: its name is looked up each time it is asked
// for, so it is always in the current language; a label named so (a counter)
// reads as "<message>: <its text>".

#include <QString>

class QObject;

class QWidget;

namespace widgets {

// Installs the application's watcher of tooltips and the interfaces of the
// controls named by messages. Once the application object exists; later
// calls do nothing.
void describeControlsForAssistiveTechnology();

// The control is named by message `message` of the language table.
void nameByMessage(QWidget* control, int message);

// The object's interface for assistive technology made again, so that a
// factory installed after it was first asked for (while it was being made)
// gives it.
void renewAccessibleInterface(QObject* object);

// A caption as assistive technology reads it: without the '&' that marks a
// shortcut letter ("&&" stays one '&').
QString withoutMnemonic(const QString& text);

}  // namespace widgets
