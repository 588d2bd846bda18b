#pragma once
// Private-profile (INI) files, read and written the way the Windows
// private-profile functions do it, so that Tavoro.ini and Tavoro.hsc written on
// Windows read the same here and the other way round:
//
//   [Section]
//   Key=Value
//
// - Section and key names match without regard to case; blanks and tabs around
//   names and values are removed; a value enclosed in a pair of single or
//   double quotes is read without them.
// - Lines starting with ";" are comments. Lines before the first section, lines
//   without "=" and blank lines belong to no key; they are kept as they are.
//   A line "=value" is a key with an empty name.
// - When a section or key occurs twice, the first one counts.
// - Files are Windows-1252 text with CR LF line ends; files with bare LF or
//   bare CR line ends (old editors) read just as well, and new lines written
//   into them end the same way.
//
// Writing rewrites the whole file atomically: the new contents go to a sibling
// file which then replaces the old one, so a crash or a full disk never leaves
// a half-written file. A folder that takes no new file while the file itself
// may be written (a read-only program folder) gets the file written in place.
// Every line the write does not concern stays byte for byte as it was.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace profile {

// The contents of one profile file, parsed but kept line by line.
class ProfileFile {
public:
    ProfileFile() = default;
    explicit ProfileFile(const QByteArray& bytes);

    // The file's contents; an empty profile when the file is missing or cannot
    // be read.
    static ProfileFile read(const QString& path);

    // The key's value (blanks around it and enclosing quotes removed), or
    // nothing when the section or the key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Section names in file order, each header as the file has it (a section
    // named twice is listed twice), and the key names of a section.
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // Sets the key's value: replaces it in place when the key exists,
    // otherwise adds the key after the section's last line, or the section at
    // the end of the file. Returns false, changing nothing, for names or values
    // that the file could not hold (line breaks, an empty or bracketed name,
    // "=" in a key, "]" in a section name).
    bool setValue(const QString& section, const QString& key, const QString& value);

    // A text that Windows-1252 cannot hold (a file name in Cyrillic or
    // Chinese) or longer than a reader's 254 characters: setText stores the
    // key as setValue does (what the code page holds, "?" for the rest), and
    // beside it the key "<key>.utf8" with the exact text, its UTF-8 bytes
    // percent-encoded (plain ASCII); other readers pass over that key. A text
    // that fits has that key removed. text() gives the exact text when the
    // added key still belongs to the value beside it (a reader that knows
    // only the key may have changed it since), else the key's value.
    bool setText(const QString& section, const QString& key, const QString& value);
    std::optional<QString> text(const QString& section, const QString& key) const;
    // The exact text alone: nothing when no added key belongs to the value.
    std::optional<QString> exactText(const QString& section, const QString& key) const;

    // Removes the key's line(s) from the section.
    void removeKey(const QString& section, const QString& key);

    // Removes every section of that name with all its lines.
    void removeSection(const QString& section);

    QByteArray bytes() const;

private:
    enum class Kind { Blank, Section, Key, Comment, Other };
    struct Line {
        QByteArray text;  // without its line end
        QByteArray eol;   // "\r\n", "\n", or empty for a last line without one
        Kind kind = Kind::Other;
        QString name;     // section or key name, trimmed
        qsizetype equals = -1;  // position of "=" in a key line
    };

    static Line parseLine(QByteArray text, QByteArray eol);
    // First line of the first section of that name, or -1.
    qsizetype findSection(const QString& section) const;
    // One past the last line of the section that starts at `header`.
    qsizetype sectionEnd(qsizetype header) const;
    QByteArray newLineEnd() const;

    std::vector<Line> lines_;
};

// Stand-ins for the Windows private-profile functions, on the file at `path`.

// The key's value read as the Windows integer reader does: an optional sign
// and the leading decimal digits; anything after them is ignored, a value
// without leading digits reads 0. The default when the file, section or key is
// missing or the value is empty. Numbers beyond the 32-bit range wrap modulo
// 2^32 (4294967297 reads 1, 2147483648 reads -2147483648).
int32_t GetPrivateProfileInt(const QString& section, const QString& key, int32_t defaultValue,
                             const QString& path);

// The key's value, or the default (without its trailing blanks) when the file,
// section or key is missing; either cut to what a buffer of `bufferSize`
// characters delivers, at most bufferSize - 1 characters.
QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize,
                                const QString& path);

// Writes the value under the key, creating file, section and key as needed.
// No key (std::nullopt) removes the whole section; no value removes the key.
// Returns false when the file could not be read or written; the file is then
// unchanged.
bool WritePrivateProfileString(const QString& section, const std::optional<QString>& key,
                               const std::optional<QString>& value, const QString& path);

// Writes a text as ProfileFile::setText does; false, the file unchanged, as
// WritePrivateProfileString.
bool WritePrivateProfileText(const QString& section, const QString& key, const QString& value,
                             const QString& path);

// Writes the keys' values into the section in their order, as that many
// WritePrivateProfileString calls would, but replaces the file once: a
// program that dies meanwhile leaves all of them stored or none. Returns
// false, the file unchanged, when it could not be read or written or a name
// or value is one the file could not hold.
bool WritePrivateProfileValues(const QString& section,
                               const std::vector<std::pair<QString, QString>>& values,
                               const QString& path);

}  // namespace profile
