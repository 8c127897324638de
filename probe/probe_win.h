#pragma once
// Finding the ATI files and reading their versions on Windows. None of these report a failure:
// each turns it into the empty text or false.

#include <windows.h>

#include <string>

struct ControlPanelFile;

// The Windows system folder without a trailing backslash; empty when Windows does not say.
std::wstring SysDir();

// The dotted version text of a file's version resource; empty for an empty path, a missing
// file, a file without version information or a version block that holds no whole record.
std::wstring GetVersionText(const std::wstring& path);

// One registry value as text (see RegValueText); empty when the key or value cannot be read.
// Only reads: the key is opened, queried and closed. `view` 0 opens it as RegOpenKeyA does;
// KEY_WOW64_64KEY opens it for reading in the 64-bit registry view, which only a program under
// WOW64 may ask for: Windows 2000 does not know the flag.
std::wstring GetRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName, REGSAM view = 0);
std::wstring QueryRegValue(HKEY key, const std::wstring& valueName);

// The Program Files folder as the registry holds it (under WOW64, its 64-bit view); empty when
// it cannot be read.
std::wstring ProDir();

// True exactly when an ordinary file (not a folder, not hidden, not system) matches the path.
bool DoesFileExist(const std::wstring& path);

// The full path of a control-panel file where it was found, or empty.
std::wstring LocateControlPanelFile(const ControlPanelFile& file);
std::wstring LocateAtippaxx();
std::wstring LocateAtipdsxx();
std::wstring LocateAtipuixx();
