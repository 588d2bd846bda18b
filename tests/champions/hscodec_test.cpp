// The champions file's codec: scrambling with the repeating key, the
// hexadecimal form, and the decoding of hand-edited values.

#include "champions/hscodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

const std::string kKey = "Tavoro";

}  // namespace

TEST(HsCodec, EncodesAsTheWindowsGameDoes)
{
    struct Case {
        std::string text;
        std::string encoded;
    } cases[] = {
        {"", "00"},
        // "T" xor "T" is a NUL, written like any other code.
        {"T", "0200"},
        {"Tavoro", "12000000000000"},
        // The seventh character takes the first key character again.
        {"TavoroT", "1400000000000000"},
        // 0x30 xor 0x54 = 0x64, 0x30 xor 0x61 = 0x51, ...
        {"00", "046451"},
        {"\xFF", "02AB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hscodec::conv(c.text, kKey), c.encoded) << c.text;

    // The empty-slot marker and real entries: prefix "22", "20" ... "60".
    EXPECT_EQ(hscodec::conv("9999999999 ", kKey).substr(0, 2), "22");
    EXPECT_EQ(hscodec::conv("0000100001", kKey).substr(0, 2), "20");
    EXPECT_EQ(hscodec::conv("0000100001" + std::string(20, 'x'), kKey).substr(0, 2), "60");
}

TEST(HsCodec, EveryTextComesBackUnchanged)
{
    // Every byte, in texts of up to 49 characters: the longest whose digit
    // count fits the two-digit prefix (entries have at most 30).
    std::vector<std::string> texts;
    for (int from = 0; from < 256; from += 49) {
        std::string chunk;
        for (int b = from; b < std::min(256, from + 49); ++b)
            chunk += static_cast<char>(b);
        texts.push_back(chunk);
    }
    for (const char* t : {
        "",
        "0004200137Anna",
        "9999999999 ",
        "0000700012J\xFCrgen M\xFCller \xC6\xD8\xC5\x80",  // above 127
        "TavoroTavoroTav",                                  // all NUL when scrambled
    })
        texts.emplace_back(t);
    for (const std::string& t : texts) {
        const std::string encoded = hscodec::conv(t, kKey);
        EXPECT_EQ(encoded.find_first_not_of("0123456789ABCDEF"), std::string::npos);
        EXPECT_EQ(hscodec::convBack(encoded, kKey), t);
    }
}

TEST(HsCodec, ScramblingTwiceRestoresAndTheKeyRepeats)
{
    std::string text = "AAAAAAAAA";
    hscodec::crypt(text, kKey);
    for (std::size_t i = 0; i < text.size(); ++i)
        EXPECT_EQ(static_cast<unsigned char>(text[i]),
                  static_cast<unsigned char>('A' ^ kKey[i % kKey.size()]))
            << i;
    hscodec::crypt(text, kKey);
    EXPECT_EQ(text, "AAAAAAAAA");
}

TEST(HsCodec, HandEditedValuesDecodeByTheRules)
{
    struct Case {
        std::string value;
        std::string bytes;
    } cases[] = {
        {"00", ""},
        {"", ""},
        {"0", ""},
        {"7", ""},                      // a prefix and nothing after it
        {"0000", ""},                   // n = 0 keeps nothing
        {"xx4142", ""},                 // no leading digits: n = 0
        {"4ABC", "\xBC"},               // "4A" reads 4: the digits "BC"
        {"03ABC", "\xAB\x0C"},          // a trailing single digit alone
        {"02ab", "\xAB"},               // lower case reads too
        {"02ZZ", "\x00"s},              // not hexadecimal: code 0
        {"02Z1", "\x00"s},
        {"021Z", "\x01"},               // a bad second digit: the first alone
        {"10AB", "\xAB"},               // the prefix promises more than there is
        {"02ABCDEF", "\xAB"},           // anything after the n digits is ignored
        {"99" + std::string(200, 'F'), std::string(49, '\xFF') + "\x0F"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hscodec::hexDecode(c.value), c.bytes) << c.value;
}

TEST(HsCodec, DecodingNeverReadsPastTheValue)
{
    // Only the first four characters belong to the value; what follows in
    // memory must not be read although the prefix asks for ten digits.
    const std::string memory = "10ABCDEF0123";
    EXPECT_EQ(hscodec::hexDecode(std::string_view(memory.data(), 4)), "\xAB");
    EXPECT_EQ(hscodec::hexDecode(std::string_view(memory.data(), 5)), "\xAB\x0C");
    EXPECT_EQ(hscodec::hexDecode(std::string_view(memory.data(), 1)), "");
}
