#include "champions/hscodec.h"

#include <cstddef>

namespace hscodec {

namespace {

// The value of a hexadecimal digit (either case), or -1.
int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace

void crypt(std::string& text, std::string_view key)
{
    if (key.empty())
        return;
    std::size_t p = 0;
    for (char& c : text) {
        c = static_cast<char>(static_cast<unsigned char>(key[p]) ^ static_cast<unsigned char>(c));
        if (++p == key.size())
            p = 0;
    }
}

std::string hexEncode(std::string_view bytes)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex += digits[b >> 4];
        hex += digits[b & 0x0F];
    }
    std::string prefix = std::to_string(hex.size());
    if (prefix.size() < 2)
        prefix.insert(0, 1, '0');
    return prefix + hex;
}

std::string hexDecode(std::string_view value)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < 2 && i < value.size(); ++i) {
        const char c = value[i];
        if (c < '0' || c > '9')
            break;
        n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    const std::string_view digits = value.size() > 2 ? value.substr(2, n) : std::string_view{};

    std::string bytes;
    bytes.reserve((digits.size() + 1) / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = hexDigit(digits[i]);
        int code = 0;
        if (high >= 0) {
            code = high;
            if (i + 1 < digits.size()) {
                const int low = hexDigit(digits[i + 1]);
                if (low >= 0)
                    code = high * 16 + low;
            }
        }
        bytes += static_cast<char>(code);
    }
    return bytes;
}

std::string conv(std::string text, std::string_view key)
{
    crypt(text, key);
    return hexEncode(text);
}

std::string convBack(std::string_view value, std::string_view key)
{
    std::string text = hexDecode(value);
    crypt(text, key);
    return text;
}

}  // namespace hscodec
