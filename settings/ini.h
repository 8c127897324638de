#pragma once
// Reading the settings file that may sit beside the program. It is never written.

#include <span>
#include <string>
#include <string_view>

inline constexpr wchar_t kSettingsFileName[] = L"Orvel-Quillon.ini";

// The full path of a file in the program's own folder.
std::wstring ProgramFolderPath(std::wstring_view fileName);

// The value of `key` in `section` of the profile file at `path`, at most 254 characters (bytes
// where Windows 98 and ME read it in a code page of two-byte characters);
// `defaultValue` when the file, the section or the key is missing. The path is used as given.
std::wstring ReadProfileValue(const std::wstring& path, const std::wstring& section,
                              const std::wstring& key, const std::wstring& defaultValue);

// The same for the file `fileName` in the program's folder.
std::wstring ReadINI(const std::wstring& fileName, const std::wstring& section,
                     const std::wstring& key, const std::wstring& defaultValue);

// The whole of `section` of the settings file beside the program, in one read: each line
// "key=value" followed by a NUL. Empty when the file or the section is missing, and when the
// section holds more than the 32,767 characters Windows 98 and ME give of one. The lines lie in
// one buffer of the program's, which holds them until the next read.
std::span<wchar_t> ReadSettingsFileSection(std::wstring_view section);
