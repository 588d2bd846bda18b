#include "platform/numbers.h"

#include <cmath>
#include <limits>

namespace numbers {

namespace {

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        throw Overflow();
    return std::nearbyint(value);  // default rounding mode: to nearest, ties to even
}

}  // namespace

int16_t CInt(double value)
{
    const double r = roundHalfEven(value);
    if (r < -32768.0 || r > 32767.0)
        throw Overflow();
    return static_cast<int16_t>(r);
}

int32_t CLng(double value)
{
    const double r = roundHalfEven(value);
    if (r < -2147483648.0 || r > 2147483647.0)
        throw Overflow();
    return static_cast<int32_t>(r);
}

int32_t IDiv(double a, double b)
{
    const int64_t x = CLng(a);
    const int64_t y = CLng(b);
    if (y == 0)
        throw DivisionByZero();
    const int64_t q = x / y;  // C++ division cuts towards zero
    if (q > std::numeric_limits<int32_t>::max())
        throw Overflow();
    return static_cast<int32_t>(q);
}

double Val(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'))
        ++i;
    const int start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool digits = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    int end = i;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        bool expDigits = false;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            expDigits = true;
        }
        if (expDigits)
            end = j;
    }
    return text.mid(start, end - start).toDouble();
}

QString Format00000(long long value)
{
    if (value < 0)
        return QStringLiteral("-") + QString::number(-value).rightJustified(5, u'0');
    return QString::number(value).rightJustified(5, u'0');
}

}  // namespace numbers
