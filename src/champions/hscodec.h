#pragma once
// The champions file's scrambling and hexadecimal form, on single-byte text.
//
// An entry text is scrambled with a repeating XOR key (the application title)
// and written as upper-case hexadecimal, two digits a character, behind a
// decimal prefix that counts the digits:
//
//   "0004200137Anna"  --scramble-->  14 bytes  -->  "28" + 28 hex digits
//
// Reading undoes it and never reads past the value; hand-edited values decode
// to whatever their digits give (see hexDecode). No Qt here, so the codec is
// tested without a window.

#include <string>
#include <string_view>

namespace hscodec {

// XORs each byte of the text with the key byte at the same position, the key
// repeating from its first byte; every call starts at the key's first byte,
// so scrambling twice restores the text. An empty key leaves the text alone.
void crypt(std::string& text, std::string_view key);

// The bytes as upper-case hexadecimal, two digits each, behind the number of
// digits in decimal (at least two digits: "00", "22", "60", "100").
std::string hexEncode(std::string_view bytes);

// The bytes of a stored value:
// 1. n = the leading decimal digits of the first two characters (0 when
//    there are none);
// 2. the n characters from the third on are kept (fewer when the value is
//    shorter), the rest is ignored;
// 3. they are read in pairs, each pair a hexadecimal number giving one byte; a
//    trailing single digit is read alone; a pair that does not start with a
//    hexadecimal digit gives 0, a pair whose second digit is bad gives the
//    value of its first digit.
std::string hexDecode(std::string_view value);

// Scramble and encode; decode and unscramble.
std::string conv(std::string text, std::string_view key);
std::string convBack(std::string_view value, std::string_view key);

}  // namespace hscodec
