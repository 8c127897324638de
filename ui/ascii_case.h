#pragma once
// Comparing the program's own words (switches, device names) the way Windows does: letters A to Z
// in either case, and every other character as it is, whatever the code page.

#include <algorithm>
#include <string_view>

// True when `text` is `lowerCase` but for the case of the letters A to Z in it.
constexpr bool EqualsIgnoringAsciiCase(std::wstring_view text, std::wstring_view lowerCase) {
    return std::equal(text.begin(), text.end(), lowerCase.begin(), lowerCase.end(), [](wchar_t a, wchar_t b) {
        return (a >= L'A' && a <= L'Z' ? static_cast<wchar_t>(a - L'A' + L'a') : a) == b;
    });
}
