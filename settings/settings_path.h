#pragma once
// Where the settings file lies: beside the program.

#include <string>
#include <string_view>

// The folder of a program's full path: everything before the last backslash, with the
// backslash kept for a drive root ("C:\"), as a folder text is usually shown.
std::wstring FolderOfPath(std::wstring_view path);

// The folder, "\" and the file name, joined as they are: a folder that already ends in a
// backslash gives two in a row, which Windows reads as one.
std::wstring SettingsPath(std::wstring_view folder, std::wstring_view fileName);
