#include "errors/failure.h"
#include "platform/ansi.h"
#include "platform/numbers.h"

#include <gtest/gtest.h>

using namespace numbers;

TEST(Numbers, CIntRoundsHalvesToEven)
{
    const struct { double in; int16_t out; } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {82.5, 82}, {329.7, 330}, {0.49, 0},
        {-32768.0, -32768}, {32767.4, 32767},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CInt(c.in), c.out) << c.in;
}

TEST(Numbers, CIntOverflowIsError6)
{
    for (double v : {32767.5, 32768.0, -32768.6, 1e9}) {
        try {
            CInt(v);
            ADD_FAILURE() << v;
        } catch (...) {
            const errors::Failure f = errors::currentFailure();
            EXPECT_EQ(f.number(), 6);
            EXPECT_EQ(f.description(), "Overflow");
        }
    }
}

TEST(Numbers, IDivConvertsThenCutsTowardsZero)
{
    EXPECT_EQ(IDiv(7, 2), 3);
    EXPECT_EQ(IDiv(-7, 2), -3);
    EXPECT_EQ(IDiv(7.5, 2), 4);     // 7.5 converts to 8 first
    EXPECT_EQ(IDiv(6.5, 2.5), 3);   // 6 div 2
    EXPECT_EQ(IDiv(12, 162 - 150), 1);
    try {
        IDiv(1, 0.4);
        ADD_FAILURE();
    } catch (...) {
        EXPECT_EQ(errors::currentFailure().number(), 11);
    }
}

TEST(Numbers, ValReadsTheLeadingNumber)
{
    const struct { const char* in; double out; } cases[] = {
        {"12", 12}, {"  42abc", 42}, {"-1", -1}, {"3.25 s", 3.25}, {"", 0},
        {"abc", 0}, {"1000", 1000}, {"1e3", 1000}, {"7e", 7},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(c.in), c.out) << c.in;
}

TEST(Numbers, Format00000PadsButNeverCuts)
{
    EXPECT_EQ(Format00000(7), "00007");
    EXPECT_EQ(Format00000(12), "00012");
    EXPECT_EQ(Format00000(0), "00000");
    EXPECT_EQ(Format00000(99999), "99999");
    EXPECT_EQ(Format00000(123456), "123456");
}

TEST(Ansi, RoundTripsWindows1252)
{
    const QString text = QString::fromUtf8("Züge Über ¿Español? Français € œ");
    const QByteArray bytes = ansi::toAnsi(text);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFC);  // ü
    EXPECT_EQ(static_cast<unsigned char>(bytes[bytes.size() - 3]), 0x80);  // €
    EXPECT_EQ(ansi::fromAnsi(bytes), text);
}

TEST(Ansi, UnmappableAndUndefinedBytes)
{
    EXPECT_EQ(ansi::toAnsi(QString::fromUtf8("a\u4e2db")), QByteArray("a?b"));
    const QByteArray undefined("\x81x\x9d", 3);
    const QString s = ansi::fromAnsi(undefined);
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0].unicode(), 0x81);
    EXPECT_EQ(s[2].unicode(), 0x9D);
    EXPECT_EQ(ansi::toAnsi(s), undefined);
}
