#pragma once
// The one place where the program's UTF-16 texts cross into and out of the ANSI code page.
// Every call the program makes to Windows takes the ANSI form, because that is the form
// Windows 98 and ME implement; these two conversions are all the program uses for it.

#include <string>
#include <string_view>

// The text in the ANSI code page, or the empty text when it cannot be carried there whole:
// a text reaches Windows exactly as it is or not at all, never with a character replaced or
// approximated. The test is that the ANSI text converts back to the very same UTF-16 text.
std::string ToAnsi(std::wstring_view text);
// The ANSI text in UTF-16; every ANSI text has one.
std::wstring FromAnsi(std::string_view text);
