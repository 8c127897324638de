#pragma once
// The program's UTF-16 texts in UTF-8, the one encoding of the survey table: a site's machines
// each have their own ANSI code page, and a table read by all of them needs one that holds every
// name. Windows 98 and ME have no UTF-8 conversion of their own, so the program has it here.

#include <string>
#include <string_view>

// What a file in UTF-8 begins with, so that a spreadsheet reads it as UTF-8: the byte-order mark.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The text in UTF-8. A surrogate pair becomes the one character it stands for; a surrogate
// without its other half, which no name or version holds, becomes U+FFFD.
std::string Utf8Text(std::wstring_view text);
