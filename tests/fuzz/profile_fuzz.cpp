// The private-profile parser and writer. The input is a command and a file:
//   byte 0: what to do (0 set, 1 remove the key, 2 remove the section)
//   bytes 1-3: lengths of section name, key name and value (each up to 255)
//   then the three texts (Windows-1252), then the file's bytes.
// Properties: a parsed file gives back its bytes unchanged; after a change the
// file's bytes parse again to the same values; the key changed reads back what
// was written; every other key keeps its value.

#include "fuzz_support.h"

#include "platform/ansi.h"
#include "platform/profile.h"

#include <QFile>

#include <optional>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1a';
}

QByteArray trimmedBytes(QByteArray s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s.remove(0, 1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

// A name as the file compares it.
QString nameOf(const QString& s)
{
    return ansi::fromAnsi(trimmedBytes(ansi::toAnsi(s)));
}

bool sameName(const QString& a, const QString& b)
{
    return nameOf(a).compare(nameOf(b), Qt::CaseInsensitive) == 0;
}

// What reading gives back for a written value: blanks around it and one pair
// of enclosing quotes removed.
QString readBack(const QString& written)
{
    QByteArray v = trimmedBytes(ansi::toAnsi(written));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return ansi::fromAnsi(v);
}

using Values = std::vector<std::tuple<QString, QString, std::optional<QString>>>;

Values allValues(const profile::ProfileFile& f)
{
    Values all;
    for (const QString& s : f.sections()) {
        for (const QString& k : f.keys(s))
            all.emplace_back(s, k, f.value(s, k));
    }
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const int op = data[0] % 3;
    const size_t lengths[3] = {data[1], data[2], data[3]};
    size_t pos = 4;
    QString texts[3];
    for (int i = 0; i < 3; ++i) {
        const size_t n = std::min(lengths[i], size - pos);
        texts[i] = ansi::fromAnsi(fuzz::bytesOf(data + pos, n));
        pos += n;
    }
    const QString& section = texts[0];
    const QString& key = texts[1];
    const QString& value = texts[2];
    const QByteArray original = fuzz::bytesOf(data + pos, size - pos);

    profile::ProfileFile file(original);
    FUZZ_CHECK(file.bytes() == original);
    const Values before = allValues(file);

    bool changed = true;
    if (op == 0)
        changed = file.setValue(section, key, value);
    else if (op == 1)
        file.removeKey(section, key);
    else
        file.removeSection(section);

    const QByteArray written = file.bytes();
    const profile::ProfileFile again(written);
    FUZZ_CHECK(again.bytes() == written);
    const Values after = allValues(file);
    FUZZ_CHECK(allValues(again) == after);
    if (!changed) {
        FUZZ_CHECK(written == original);
        return 0;
    }

    if (op == 0)
        FUZZ_CHECK(again.value(section, key) == readBack(value));
    else if (op == 1)
        FUZZ_CHECK(!again.value(section, key));
    else
        FUZZ_CHECK(!again.sections().contains(nameOf(section), Qt::CaseInsensitive));

    // Every other key reads as before.
    for (const auto& [s, k, v] : before) {
        const bool touched = sameName(s, section) && (op == 2 || sameName(k, key));
        if (!touched)
            FUZZ_CHECK(again.value(s, k) == v);
    }

    // The same change through the file on disk gives the same bytes.
    if (op == 0) {
        const QString path = fuzz::scratchFolder() + QStringLiteral("/Tavoro.ini");
        QFile::remove(path);
        if (!original.isEmpty()) {
            QFile f(path);
            FUZZ_CHECK(f.open(QIODevice::WriteOnly));
            FUZZ_CHECK(f.write(original) == original.size());
        }
        FUZZ_CHECK(profile::WritePrivateProfileString(section, key, value, path));
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::ReadOnly));
        FUZZ_CHECK(f.readAll() == written);
    }
    return 0;
}
