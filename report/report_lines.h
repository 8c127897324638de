#pragma once
// The lines of the report, as the main window shows them: two verdicts and eight file lines.

#include "probe/locator.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <string_view>

// The titles of the two verdict frames; the report names the verdicts by them too.
inline constexpr std::wstring_view kCatalystTitle = L"Catalyst Version";
inline constexpr std::wstring_view kPanelTitle = L"Control Panel Version";
// The two titles, for code that reads them at run time: from one place, as the file lines.
std::wstring_view CatalystTitle();
std::wstring_view PanelTitle();

// The eight file lines, top to bottom.
struct FileLine {
    std::wstring_view captionLabel;
    std::wstring_view captionText;
    std::wstring_view valueLabel;
    // Driver files lie in the system folder under this tail; control-panel files are located.
    std::wstring_view systemFolderTail;
    const ControlPanelFile* controlPanelFile;
};

inline constexpr FileLine kFileLines[] = {
    {L"Label1", L"ati2dvag.dll: ", L"Label4", L"\\ati2dvag.dll", nullptr},
    {L"Label2", L"ati3d1ag.dll: ", L"Label5", L"\\ati3d1ag.dll", nullptr},
    {L"Label3", L"ati3d2ag.dll: ", L"Label6", L"\\ati3d2ag.dll", nullptr},
    {L"Label7", L"atioglxx.dll: ", L"Label8", L"\\atioglxx.dll", nullptr},
    {L"Label9", L"ati3duag.dll: ", L"Label10", L"\\ati3duag.dll", nullptr},
    {L"Label11", L"atippaxx.dll: ", L"Label12", {}, &kAtippaxx},
    {L"Label13", L"atipdsxx.dll: ", L"Label14", {}, &kAtipdsxx},
    {L"Label15", L"atipuixx.dll: ", L"Label16", {}, &kAtipuixx},
};

// The file lines, for code that reads them at run time: from one place, so that their texts are
// in the program once rather than once for each file that reads them.
std::span<const FileLine, std::size(kFileLines)> FileLines();

// A file line's file name: its caption text without the ": " after the name.
constexpr std::wstring_view FileName(const FileLine& line) {
    return line.captionText.substr(0, line.captionText.size() - 2);
}
static_assert(std::all_of(std::begin(kFileLines), std::end(kFileLines),
                          [](const FileLine& line) { return line.captionText.ends_with(L": "); }));

// The driver file the Catalyst release is named from.
inline constexpr std::wstring_view kDriverFileTail = L"\\ati2dvag.dll";
