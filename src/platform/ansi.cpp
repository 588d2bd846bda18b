#include "platform/ansi.h"

#include <cerrno>
#include <iconv.h>

namespace ansi {

namespace {

// One converter each way for each thread, opened on first use and kept:
// opening one costs more than converting a line, and a converter may not be
// shared between threads.
struct Converter {
    iconv_t cd;
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }
    bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
    // Back to the initial state, as after opening.
    void reset() const { iconv(cd, nullptr, nullptr, nullptr, nullptr); }
};

// Plain ASCII is the same in both encodings.
bool isAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

}  // namespace

QString fromAnsi(const QByteArray& bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    thread_local const Converter conv("UTF-16LE", "WINDOWS-1252");
    conv.reset();
    QString out;
    out.reserve(bytes.size());
    if (!conv.ok())
        return QString::fromLatin1(bytes);
    char16_t buffer[256];
    const char* in = bytes.constData();
    size_t inLeft = static_cast<size_t>(bytes.size());
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(conv.cd, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
        out.append(reinterpret_cast<const QChar*>(buffer),
                   static_cast<qsizetype>((sizeof buffer - outLeft) / sizeof(char16_t)));
        if (r == static_cast<size_t>(-1) && errno == EILSEQ) {
            // An undefined byte: keep it as the control character of its number.
            out.append(QChar(static_cast<unsigned char>(*in)));
            ++in;
            --inLeft;
        } else if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            break;
        }
    }
    return out;
}

QByteArray toAnsi(const QString& text)
{
    if (isAscii(text))
        return text.toLatin1();
    thread_local const Converter conv("WINDOWS-1252", "UTF-16LE");
    conv.reset();
    if (!conv.ok())
        return text.toLatin1();
    QByteArray out;
    out.reserve(text.size());
    const char* in = reinterpret_cast<const char*>(text.utf16());
    size_t inLeft = static_cast<size_t>(text.size()) * sizeof(char16_t);
    char buffer[512];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(conv.cd, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        if (r == static_cast<size_t>(-1) && (errno == EILSEQ || errno == EINVAL)) {
            // No such character in the code page: a question mark, as Windows writes.
            const char16_t c = *reinterpret_cast<const char16_t*>(in);
            const bool undefinedByte = c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
            out.append(undefinedByte ? static_cast<char>(c) : '?');
            // A surrogate pair is one character: skip both halves.
            const size_t skip = (c >= 0xD800 && c < 0xDC00 && inLeft >= 4) ? 4 : 2;
            in += skip;
            inLeft -= skip;
        } else if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            break;
        }
    }
    return out;
}

}  // namespace ansi
