#pragma once
// Where the ATI control-panel files are looked for, and in which order.

#include <functional>
#include <string>
#include <string_view>

// The path tails of one control-panel file, one per place it may lie in.
struct ControlPanelFile {
    std::wstring_view inSystemFolder;     // appended to the system folder
    std::wstring_view inTechnologyFolder; // appended to Program Files, tried first
    std::wstring_view inTechnologiesFolder;
};

inline constexpr ControlPanelFile kAtippaxx{
    L"\\atippaxx.dll",
    L"\\ATI Technology\\ATI Control Panel\\atippaxx.dll",
    L"\\ATI Technologies\\ATI Control Panel\\atippaxx.dll",
};
inline constexpr ControlPanelFile kAtipdsxx{
    L"\\atipdsxx.dll",
    L"\\ATI Technology\\ATI Control Panel\\atipdsxx.dll",
    L"\\ATI Technologies\\ATI Control Panel\\atipdsxx.dll",
};
inline constexpr ControlPanelFile kAtipuixx{
    L"\\atipuixx.dll",
    L"\\ATI Technology\\ATI Control Panel\\atipuixx.dll",
    L"\\ATI Technologies\\ATI Control Panel\\atipuixx.dll",
};

// The folders and the existence test a search asks; each is asked afresh for every candidate.
struct FileSearch {
    std::function<std::wstring()> systemFolder;
    std::function<std::wstring()> programFilesFolder;
    std::function<bool(const std::wstring& path)> fileExists;
};

// The first candidate that exists: system folder, then "ATI Technology", then "ATI Technologies"
// under Program Files. Folders are used as given, so an empty folder yields a root-relative
// candidate. The empty text when the file is in none of the three places.
std::wstring LocateFile(const ControlPanelFile& file, const FileSearch& search);
