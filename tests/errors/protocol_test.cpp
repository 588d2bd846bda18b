#include "errors/protocol.h"

#include <gtest/gtest.h>

using errors::ProtocolFields;

namespace {

const QString Sep = QStringLiteral(
    "----------------------------------------------------------------------");

QString crlf(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

ProtocolFields sampleFields()
{
    ProtocolFields f;
    f.progInfoCaption = "Programm-Info:";
    f.progInfo = "Tavoro  V1.0.5";
    f.errorCaption = "Fehlerbeschreibung / error description:";
    f.errTitles = {"Fehler-Nr / error :", "Modul:", "Prozedur / procedure:", "Zeile / Line:"};
    f.errValues = {"11 (Division by zero)", "frmTavoro", "Shuffle", "50030"};
    f.callStackCaption = "CallStack:";
    return f;
}

osversion::SystemFacts sampleSystem()
{
    // The build keeps its low 16 bits only: 0x0002ABCD -> 43981.
    return {"Linux", 6, 1, 0x0002ABCDu, "Debian GNU/Linux 12 (bookworm)"};
}

const QDateTime When(QDate(2024, 3, 7), QTime(14, 5, 9));

}  // namespace

TEST(Protocol, GoldenTextWithAndWithoutCallStack)
{
    const QStringList head = {
        Sep,
        "F E H L E R P R O T O K O L L vom ErrorPartner",
        Sep,
        "PROGRAMM-INFO:",
        "          Tavoro  V1.0.5",
        Sep,
        "FEHLERBESCHREIBUNG / ERROR DESCRIPTION:",
        "          Fehler-Nr / error :\t11 (Division by zero)",
        "          Modul:\tfrmTavoro",
        "          Prozedur / procedure:\tShuffle",
        "          Zeile / Line:\t50030",
        "          Datum/Uhrzeit:\t03-07-2024 / 14:05:09",
        Sep,
        "CALLSTACK:",
    };
    const QStringList tail = {
        Sep,
        "SYSTEMINFO:",
        "          Plattform:\tLinux",
        "          Version:\t6.1",
        "          Build:\t43981   Debian GNU/Linux 12 (bookworm)",
        Sep,
    };

    ProtocolFields f = sampleFields();
    EXPECT_EQ(errors::buildProtocol(f, When, sampleSystem()), crlf(head + tail));

    f.callStack = {"14:05:08 newest", "14:05:01 oldest"};
    const QStringList entries = {"          14:05:08 newest", "          14:05:01 oldest"};
    EXPECT_EQ(errors::buildProtocol(f, When, sampleSystem()), crlf(head + entries + tail));

    // Unknown platform and no service text: the lines stay, with nothing after them.
    const QString bare = errors::buildProtocol(sampleFields(), When, {"", 0, 0, 0, ""});
    EXPECT_TRUE(bare.contains("          Plattform:\t\r\n"));
    EXPECT_TRUE(bare.contains("          Build:\t0   \r\n"));
}

TEST(Protocol, PrintWrapping)
{
    const QString hundred(100, 'x');
    const QString blanks20(20, ' ');
    auto words = [](int n, const QString& w = "word") { return QStringList(n, w).join(' '); };
    auto repeat = [](int n, const QString& s) { return s.repeated(n); };

    struct Case {
        const char* name;
        QString protocol;
        QStringList lines;
    };
    const Case cases[] = {
        {"100 characters without blanks stay on one line", hundred, {hundred + " "}},
        {"tabs do not break a line", QString(60, 'a') + "\t" + QString(30, 'b'),
         {QString(60, 'a') + "\t" + QString(30, 'b') + " "}},
        {"a long line continues on lines of 20 blanks (not counted)", words(40),
         {repeat(14, "word "), blanks20 + repeat(14, "word "), blanks20 + repeat(12, "word ")}},
        {"73 characters fit", QString(40, 'a') + " " + QString(31, 'b'),
         {QString(40, 'a') + " " + QString(31, 'b') + " "}},
        {"74 do not", QString(40, 'a') + " " + QString(32, 'b'),
         {QString(40, 'a') + " ", blanks20 + QString(32, 'b') + " "}},
        {"a long word after others starts its own line", "ab " + hundred,
         {"ab ", blanks20 + hundred + " "}},
        {"an empty line prints one blank; the closing line break adds one more",
         "first\r\n\r\nlast\r\n", {"first ", " ", "last ", " "}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errors::wrapForPrinting(c.protocol), c.lines) << c.name;
}

TEST(Protocol, LPSTRToVBStringCutsAtTheFirstNul)
{
    const struct {
        QString in;
        QString out;
    } cases[] = {
        {QString::fromUtf16(u"Service Pack 3\0\0\0", 17), "Service Pack 3"},
        {QString::fromUtf16(u"a\0b\0", 4), "a"},
        {QString::fromUtf16(u"\0", 1), ""},
        {QString(128, 'S'), ""},  // a field filled to its end holds nothing usable
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errors::LPSTRToVBString(c.in), c.out) << c.in.size();
}

TEST(OsVersion, KernelReleaseAndDistributionName)
{
    osversion::SystemFacts f;
    osversion::parseKernelRelease("6.1.0-18-amd64", f);
    EXPECT_EQ(f.major, 6u);
    EXPECT_EQ(f.minor, 1u);
    EXPECT_EQ(f.build, 0u);
    osversion::parseKernelRelease("5.15.133.1-microsoft-standard-WSL2", f);
    EXPECT_EQ(f.major, 5u);
    EXPECT_EQ(f.minor, 15u);
    EXPECT_EQ(f.build, 133u);
    osversion::parseKernelRelease("7", f);
    EXPECT_EQ(f.major, 7u);
    EXPECT_EQ(f.minor, 0u);

    EXPECT_EQ(osversion::prettyName("NAME=\"Debian\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(osversion::prettyName("PRETTY_NAME=Plain\n"), "Plain");
    EXPECT_EQ(osversion::prettyName("NAME=x\n"), "");

    const osversion::SystemFacts running = osversion::query();
    EXPECT_EQ(running.platform, "Linux");
}
