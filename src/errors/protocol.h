#pragma once
// The error protocol: a fixed-layout text of the program, the failure, the
// call trace and the operating system, built from what the error dialog shows.
// It goes to the log file, a saved file, the printer and the clipboard.

#include "platform/osversion.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>

namespace errors {

// What the protocol is built from: the dialog's frame captions and fields.
struct ProtocolFields {
    QString progInfoCaption;             // "Programm-Info:"
    QString progInfo;                    // "Tavoro  1.0.0"
    QString errorCaption;                // "Fehlerbeschreibung / error description:"
    std::array<QString, 4> errTitles;    // "Fehler-Nr / error :", "Modul:", ...
    std::array<QString, 4> errValues;    // "53 (File not found)", object, procedure, line
    QString callStackCaption;            // "CallStack:"
    QStringList callStack;               // newest first
};

// The protocol text; every line ends with CR LF. `when` gives the date and
// time line, `system` the SYSTEMINFO lines.
QString buildProtocol(const ProtocolFields& fields, const QDateTime& when,
                      const osversion::SystemFacts& system);

// Breaks the protocol into printer lines: lines of at most 73 characters,
// broken after a blank (a word keeps its blank; tabs do not break), continued
// on lines that begin with 20 blanks (not counted); a word longer than the
// line stays whole; an empty line prints as one blank.
QStringList wrapForPrinting(const QString& protocol);

// The part of a text before its first NUL character; a text without any NUL
// gives the empty text (a fixed field filled to its end holds nothing usable).
QString LPSTRToVBString(const QString& text);

// The files in the folder of the player's files: base name + ".EPT" (the
// error log, only ever appended to) and base name + ".ERR" (the saved protocol).
QString logFilePath();
QString savedProtocolPath();

// Appends the protocol and one more CR LF to the file, creating it when
// missing, in Windows-1252. False when it cannot be written; never throws.
bool appendProtocol(const QString& path, const QString& protocol);

// Replaces the file with the protocol and one more CR LF, in Windows-1252.
// An old file stays as it was when the new one cannot be written completely.
// False when it cannot be written; never throws.
bool writeProtocol(const QString& path, const QString& protocol);

}  // namespace errors
