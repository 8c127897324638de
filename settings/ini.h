#pragma once
// Reading the settings file that may sit beside the program. It is never written.

#include <string>

inline constexpr wchar_t kSettingsFileName[] = L"Orvel-Quillon.ini";

// The full path of a file in the program's own folder.
std::wstring ProgramFolderPath(const std::wstring& fileName);

// The value of `key` in `section` of the file `fileName` in the program's folder, at most
// 254 characters; `defaultValue` when the file, the section or the key is missing.
std::wstring ReadINI(const std::wstring& fileName, const std::wstring& section,
                     const std::wstring& key, const std::wstring& defaultValue);
