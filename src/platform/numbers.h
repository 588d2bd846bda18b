#pragma once
// The arithmetic the game relies on: whole-number conversion that rounds
// halves to the even neighbour, integer division on converted operands,
// reading the leading number of a text, and the "00000" format.

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace numbers {

// What the arithmetic reports; the error service gives each its number
// (Overflow 6, Division by zero 11).
struct Overflow : std::overflow_error {
    Overflow() : std::overflow_error("Overflow") {}
};
struct DivisionByZero : std::domain_error {
    DivisionByZero() : std::domain_error("Division by zero") {}
};

// Nearest 16-bit integer, halves to even (2.5 -> 2, 3.5 -> 4); Overflow (6)
// outside -32768..32767.
int16_t CInt(double value);

// Nearest 32-bit integer, halves to even; Overflow (6) outside the range.
int32_t CLng(double value);

// a div b: both operands converted with CLng first, the quotient cut towards
// zero. Division by zero (11) when b converts to 0.
int32_t IDiv(double a, double b);

// The leading number of a text: blanks skipped, an optional sign, digits, an
// optional fraction and exponent. A text that starts with none gives 0.
double Val(const QString& text);

// At least five decimal digits, zero-padded on the left; longer numbers keep
// all their digits ("00007", "123456").
QString Format00000(long long value);

}  // namespace numbers
