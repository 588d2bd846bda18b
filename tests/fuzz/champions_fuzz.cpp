// The champions decoder. The input is read three ways:
// - as one stored value: decoding reads nothing past it, and gives one byte
//   for every two of the digits its prefix counts (the prefix's own two
//   characters and anything after the counted digits ignored);
// - as a whole Tavoro.hsc: every value of every section is decoded as the
//   champions window reads it (at most 254 characters) and ranked and shown
//   as the window would, without a run-time failure;
// - as an entry text: scrambled and encoded, it decodes to itself. The stored
//   form counts its digits in a prefix read as two characters, so this holds
//   for texts of up to 49 bytes (an entry holds at most 30).

#include "fuzz_support.h"

#include "champions/hscodec.h"
#include "champions/ranking.h"
#include "platform/ansi.h"
#include "platform/profile.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

namespace {

const std::string_view kKey = "Tavoro";  // the application title

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// How many of a stored value's characters are its digits: as many as the
// leading decimal digits of its first two characters say, from the third on,
// fewer when the value is shorter.
std::size_t countedDigits(std::string_view value)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < 2 && i < value.size() && isDigit(value[i]); ++i)
        n = n * 10 + static_cast<std::size_t>(value[i] - '0');
    return value.size() > 2 ? std::min(n, value.size() - 2) : 0;
}

void decodeOneValue(std::string_view value)
{
    // A copy of exactly the value's size: a read past it is a finding of the
    // address sanitizer.
    const std::unique_ptr<char[]> copy(new char[value.size()]);
    std::copy(value.begin(), value.end(), copy.get());
    const std::string_view exact(copy.get(), value.size());

    const std::string bytes = hscodec::hexDecode(exact);
    const std::size_t digits = countedDigits(exact);
    FUZZ_CHECK(bytes.size() == (digits + 1) / 2);
    FUZZ_CHECK(hscodec::convBack(exact, kKey).size() == bytes.size());
    // Whatever follows the counted digits is ignored.
    if (exact.size() > 2)
        FUZZ_CHECK(hscodec::hexDecode(exact.substr(0, 2 + digits)) == bytes);
}

void readAsChampionsFile(const QByteArray& bytes)
{
    const profile::ProfileFile file(bytes);
    champions::SortedList list;
    for (const QString& section : file.sections()) {
        for (const QString& key : file.keys(section)) {
            const QString stored = file.value(section, key).value_or(QString()).left(254);
            const QByteArray ansiValue = ansi::toAnsi(stored);
            const std::string text = hscodec::convBack(
                std::string_view(ansiValue.constData(), static_cast<std::size_t>(ansiValue.size())),
                kKey);
            const QString entry =
                ansi::fromAnsi(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
            const QString kept = champions::isEntry(entry) ? entry : champions::kEmptySlot;
            list.AddItem(kept);
            const champions::Row row = champions::rowOf(kept);
            FUZZ_CHECK(champions::isEntry(kept) == !row.seconds.isEmpty());
        }
    }
}

void roundTrip(std::string_view input)
{
    const std::string text(input.substr(0, std::min<std::size_t>(input.size(), 49)));
    const std::string stored = hscodec::conv(text, kKey);
    FUZZ_CHECK(stored.size() == 2 + 2 * text.size());
    FUZZ_CHECK(stored.substr(0, 2) == (text.size() < 5 ? "0" : "") + std::to_string(2 * text.size()));
    for (std::size_t i = 2; i < stored.size(); ++i)
        FUZZ_CHECK(isDigit(stored[i]) || (stored[i] >= 'A' && stored[i] <= 'F'));
    FUZZ_CHECK(hscodec::convBack(stored, kKey) == text);

    // Scrambling twice restores the text, with any key.
    std::string twice(input);
    const std::string_view key = input.substr(0, std::min<std::size_t>(input.size(), 7));
    hscodec::crypt(twice, key);
    hscodec::crypt(twice, key);
    FUZZ_CHECK(twice == input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::failOnReportedErrors();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    decodeOneValue(input);
    readAsChampionsFile(fuzz::bytesOf(data, size));
    roundTrip(input);
    return 0;
}
