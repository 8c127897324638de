#pragma once
// The one place where the program's UTF-16 texts cross into and out of the ANSI code page,
// for the Windows functions that only come in ANSI form.

#include <string>
#include <string_view>

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);
