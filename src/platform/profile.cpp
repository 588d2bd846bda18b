#include "platform/profile.h"

#include "platform/ansi.h"
#include "platform/files.h"

#include <array>
#include <cerrno>
#include <functional>
#include <mutex>

namespace profile {

namespace {

bool isBlank(char c)
{
    // Blanks as the private-profile reader sees them; 0x1A is the old
    // end-of-file mark some editors leave behind.
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1a';
}

QByteArray trimmed(const QByteArray& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

QString decode(const QByteArray& bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return ansi::fromAnsi(bytes);
    }
    return QString::fromLatin1(bytes);
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString trimmedName(const QString& name)
{
    return decode(trimmed(ansi::toAnsi(name)));
}

// A value as the reader delivers it: blanks around it removed, then a pair of
// enclosing quotes.
QString readValue(const QByteArray& raw)
{
    QByteArray v = trimmed(raw);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return decode(v);
}

bool hasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

}  // namespace

ProfileFile::ProfileFile(const QByteArray& bytes)
{
    // A UTF-8 byte-order mark (Notepad's "UTF-8" files) is passed over when
    // the first line is read, and kept in the file.
    static const QByteArray bom("\xEF\xBB\xBF");
    const bool hasBom = bytes.startsWith(bom);
    // A line ends at CR LF, at LF, or at a CR alone (files of old editors).
    qsizetype pos = hasBom ? bom.size() : 0;
    while (pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        QByteArray text = bytes.mid(pos, end - pos);
        if (end >= bytes.size()) {
            lines_.push_back(parseLine(std::move(text), {}));
            break;
        }
        QByteArray eol(1, bytes[end]);
        if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            eol = "\r\n";
        lines_.push_back(parseLine(std::move(text), eol));
        pos = end + eol.size();
    }
    if (hasBom) {
        if (lines_.empty())
            lines_.push_back(parseLine({}, {}));
        Line& first = lines_.front();
        first.text.prepend(bom);
        if (first.equals >= 0)
            first.equals += bom.size();
    }
}

ProfileFile::Line ProfileFile::parseLine(QByteArray text, QByteArray eol)
{
    Line line;
    line.text = std::move(text);
    line.eol = std::move(eol);
    const QByteArray t = trimmed(line.text);
    if (t.isEmpty()) {
        line.kind = Kind::Blank;
    } else if (t.front() == '[' && t.indexOf(']') > 0) {
        line.kind = Kind::Section;
        line.name = decode(trimmed(t.mid(1, t.indexOf(']') - 1)));
    } else if (t.front() == ';') {
        line.kind = Kind::Comment;
    } else if (const qsizetype eq = line.text.indexOf('='); eq >= 0) {
        // "=value" is a key with an empty name.
        line.kind = Kind::Key;
        line.name = decode(trimmed(line.text.left(eq)));
        line.equals = eq;
    }
    return line;
}

ProfileFile ProfileFile::read(const QString& path)
{
    QByteArray bytes;
    if (!files::readRegular(path, bytes))
        return ProfileFile();
    // The file is read every time; what was made of the same bytes last time
    // is taken again instead of taking them apart anew (the language file is
    // read for every text of the menus).
    struct Parsed {
        QString path;
        QByteArray bytes;
        ProfileFile file;
    };
    static std::mutex parsedMutex;
    static std::array<Parsed, 2> parsed;  // the settings and the language file
    static size_t next = 0;
    std::lock_guard lock(parsedMutex);
    Parsed* slot = nullptr;
    for (Parsed& p : parsed) {
        if (p.path != path)
            continue;
        if (p.bytes == bytes)
            return p.file;
        slot = &p;
    }
    if (!slot) {
        slot = &parsed[next];
        next = (next + 1) % parsed.size();
    }
    ProfileFile file(bytes);
    *slot = Parsed{path, bytes, file};
    return file;
}

qsizetype ProfileFile::findSection(const QString& section) const
{
    const QString wanted = trimmedName(section);
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && sameName(lines_[i].name, wanted))
            return static_cast<qsizetype>(i);
    }
    return -1;
}

qsizetype ProfileFile::sectionEnd(qsizetype header) const
{
    auto i = static_cast<size_t>(header) + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return static_cast<qsizetype>(i);
}

std::optional<QString> ProfileFile::value(const QString& section, const QString& key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const QString wanted = trimmedName(key);
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line& l = lines_[static_cast<size_t>(i)];
        if (l.kind == Kind::Key && sameName(l.name, wanted))
            return readValue(l.text.mid(l.equals + 1));
    }
    return std::nullopt;
}

QStringList ProfileFile::sections() const
{
    QStringList names;
    for (const Line& l : lines_) {
        if (l.kind == Kind::Section)
            names.append(l.name);
    }
    return names;
}

QStringList ProfileFile::keys(const QString& section) const
{
    QStringList names;
    const qsizetype header = findSection(section);
    if (header < 0)
        return names;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line& l = lines_[static_cast<size_t>(i)];
        if (l.kind == Kind::Key)
            names.append(l.name);
    }
    return names;
}

QByteArray ProfileFile::newLineEnd() const
{
    // New lines follow the file's own line ends; CR LF in a new file.
    for (const Line& l : lines_) {
        if (!l.eol.isEmpty())
            return l.eol;
    }
    return QByteArrayLiteral("\r\n");
}

bool ProfileFile::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = trimmedName(section);
    const QString keyName = trimmedName(key);
    if (sectionName.isEmpty() || keyName.isEmpty() || hasLineBreak(section) ||
        hasLineBreak(key) || hasLineBreak(value) || sectionName.contains(QLatin1Char(']')) ||
        keyName.contains(QLatin1Char('=')) || keyName.startsWith(QLatin1Char('[')) ||
        keyName.startsWith(QLatin1Char(';')))
        return false;

    const QByteArray eol = newLineEnd();
    const QByteArray encodedValue = ansi::toAnsi(value);
    auto newLine = [&](const QString& text) { return parseLine(ansi::toAnsi(text), eol); };

    const qsizetype header = findSection(sectionName);
    if (header < 0) {
        if (!lines_.empty() && lines_.back().eol.isEmpty())
            lines_.back().eol = eol;
        lines_.push_back(newLine(QLatin1Char('[') + sectionName + QLatin1Char(']')));
        lines_.push_back(newLine(keyName + QLatin1Char('=') + value));
        return true;
    }

    const qsizetype end = sectionEnd(header);
    qsizetype lastFilled = header;
    for (qsizetype i = header + 1; i < end; ++i) {
        Line& l = lines_[static_cast<size_t>(i)];
        if (l.kind == Kind::Key && sameName(l.name, keyName)) {
            // In place: the name as the file spells it, the new value after "=".
            l.text = l.text.left(l.equals + 1) + encodedValue;
            return true;
        }
        if (l.kind != Kind::Blank)
            lastFilled = i;
    }
    Line& before = lines_[static_cast<size_t>(lastFilled)];
    if (before.eol.isEmpty())
        before.eol = eol;
    lines_.insert(lines_.begin() + lastFilled + 1, newLine(keyName + QLatin1Char('=') + value));
    return true;
}

namespace {

// The longest text a reader of the key takes (a buffer of 255 characters).
constexpr qsizetype kReaderLength = 254;

QString exactKey(const QString& key)
{
    return key + QStringLiteral(".utf8");
}

}  // namespace

bool ProfileFile::setText(const QString& section, const QString& key, const QString& value)
{
    if (!setValue(section, key, value))
        return false;
    const bool fits = value.size() <= kReaderLength && ansi::fromAnsi(ansi::toAnsi(value)) == value;
    if (fits) {
        removeKey(section, exactKey(key));
        return true;
    }
    return setValue(section, exactKey(key), QString::fromLatin1(value.toUtf8().toPercentEncoding()));
}

std::optional<QString> ProfileFile::exactText(const QString& section, const QString& key) const
{
    const std::optional<QString> stored = value(section, key);
    const std::optional<QString> exact = value(section, exactKey(key));
    if (!stored || !exact)
        return std::nullopt;
    const QString decoded = QString::fromUtf8(QByteArray::fromPercentEncoding(exact->toLatin1()));
    // The code page's form of the exact text must be the value beside it.
    if (ansi::toAnsi(decoded) != ansi::toAnsi(*stored))
        return std::nullopt;
    return decoded;
}

std::optional<QString> ProfileFile::text(const QString& section, const QString& key) const
{
    if (std::optional<QString> exact = exactText(section, key))
        return exact;
    return value(section, key);
}

void ProfileFile::removeKey(const QString& section, const QString& key)
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return;
    const QString wanted = trimmedName(key);
    qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end;) {
        const Line& l = lines_[static_cast<size_t>(i)];
        if (l.kind == Kind::Key && sameName(l.name, wanted)) {
            lines_.erase(lines_.begin() + i);
            --end;
        } else {
            ++i;
        }
    }
}

void ProfileFile::removeSection(const QString& section)
{
    for (qsizetype header = findSection(section); header >= 0; header = findSection(section))
        lines_.erase(lines_.begin() + header, lines_.begin() + sectionEnd(header));
}

QByteArray ProfileFile::bytes() const
{
    QByteArray out;
    for (const Line& l : lines_)
        out += l.text + l.eol;
    return out;
}

int32_t GetPrivateProfileInt(const QString& section, const QString& key, int32_t defaultValue,
                             const QString& path)
{
    const std::optional<QString> v = ProfileFile::read(path).value(section, key);
    if (!v || v->isEmpty())
        return defaultValue;
    const QString& s = *v;
    qsizetype i = 0;
    bool negative = false;
    if (s[0] == QLatin1Char('+') || s[0] == QLatin1Char('-')) {
        negative = s[0] == QLatin1Char('-');
        ++i;
    }
    // Digits accumulate modulo 2^32, and the sign is applied the same way, as
    // the Windows reader does: 4294967297 reads 1, 4294967295 reads -1.
    uint32_t magnitude = 0;
    for (; i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9'); ++i)
        magnitude = magnitude * 10u + static_cast<uint32_t>(s[i].unicode() - u'0');
    const uint32_t bits = negative ? 0u - magnitude : magnitude;
    return static_cast<int32_t>(bits);
}

QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize,
                                const QString& path)
{
    if (bufferSize <= 0)
        return {};
    std::optional<QString> v = ProfileFile::read(path).value(section, key);
    if (!v) {
        QString d = defaultValue;
        while (d.endsWith(QLatin1Char(' ')) || d.endsWith(QLatin1Char('\t')))
            d.chop(1);
        v = d;
    }
    return v->left(bufferSize - 1);
}

namespace {

// Reads the file, applies the edit and replaces the file with the result in
// one write, under the folder's lock: another copy of the game writing the
// same file meanwhile has its change read here and kept. False, the file
// unchanged, when it cannot be read or written or the edit refuses.
bool rewrite(const QString& path, const std::function<bool(ProfileFile&)>& edit)
{
    const files::FolderLock lock(path);
    ProfileFile file;
    QByteArray before;
    if (files::readRegular(path, before))
        file = ProfileFile(before);
    else if (errno != ENOENT)
        return false;

    if (!edit(file))
        return false;

    const QByteArray after = file.bytes();
    if (after == before)
        return true;  // nothing to change, nothing written

    // A short write (a full disk) keeps the old file instead of replacing it
    // by a cut-off copy.
    return files::replace(path, after);
}

}  // namespace

bool WritePrivateProfileString(const QString& section, const std::optional<QString>& key,
                               const std::optional<QString>& value, const QString& path)
{
    return rewrite(path, [&](ProfileFile& file) {
        if (!key)
            file.removeSection(section);
        else if (!value)
            file.removeKey(section, *key);
        else
            return file.setValue(section, *key, *value);
        return true;
    });
}

bool WritePrivateProfileText(const QString& section, const QString& key, const QString& value,
                             const QString& path)
{
    return rewrite(path, [&](ProfileFile& file) { return file.setText(section, key, value); });
}

bool WritePrivateProfileValues(const QString& section,
                               const std::vector<std::pair<QString, QString>>& values,
                               const QString& path)
{
    return rewrite(path, [&](ProfileFile& file) {
        for (const auto& [key, value] : values) {
            if (!file.setValue(section, key, value))
                return false;
        }
        return true;
    });
}

}  // namespace profile
