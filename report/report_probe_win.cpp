#include "report/report_probe.h"

#include "probe/probe_win.h"
#include "release/release_lookup.h"
#include "settings/ini.h"
#include "ui/ansi_text.h"
#include "ui/program_title.h"

#include <algorithm>

std::wstring CatalystVersion() {
    // The file's version is read once and looked up in every row.
    const std::wstring versionText = GetVersionText(SysDir() + std::wstring(kDriverFileTail));
    return std::wstring(
        NameRelease(kDriverReleases, versionText, kDriverUnknown, CatalystTitle(), ReadSettingsFileSection));
}

std::wstring PanelVersion() {
    const std::wstring versionText = GetVersionText(LocateAtippaxx());
    return std::wstring(NameRelease(kPanelReleases, versionText, kPanelUnknown, PanelTitle(), ReadSettingsFileSection));
}

std::wstring FileLineVersion(const FileLine& line) {
    return GetVersionText(line.controlPanelFile ? LocateControlPanelFile(*line.controlPanelFile)
                                                : SysDir() + std::wstring(line.systemFolderTail));
}

ReportResults ProbeReport() {
    ReportResults results{ProgramTitle(), CatalystVersion(), PanelVersion(), {}};
    const auto fileLines = FileLines();
    for (std::size_t line = 0; line < fileLines.size(); ++line)
        results.fileVersions[line] = FileLineVersion(fileLines[line]);
    return results;
}

UtcTime UtcNow() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::wstring ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD count = sizeof name;
    if (!GetComputerNameA(name, &count)) return {};
    return FromAnsi(std::string_view(name, std::min<DWORD>(count, sizeof name - 1)));
}
