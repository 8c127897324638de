#pragma once
// Whole numbers as decimal text, for the program's few numbers (version words, the program's
// version, the time of a row). Made here rather than by the library's formatting, which would
// bring the C runtime's printf into the program.

#include <cstddef>
#include <string>

// `value` in plain decimal, a minus sign before a negative one, with leading zeros to at least
// `minDigits` digits.
template <typename Char = wchar_t>
constexpr std::basic_string<Char> DecimalText(int value, std::size_t minDigits = 1) {
    // Digits are made from the magnitude as an unsigned number, so the most negative value has one.
    unsigned magnitude =
        value < 0 ? 0 - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    std::basic_string<Char> reversed;
    do {
        reversed += static_cast<Char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0 || reversed.size() < minDigits);
    if (value < 0) reversed += static_cast<Char>('-');
    return {reversed.rbegin(), reversed.rend()};
}
