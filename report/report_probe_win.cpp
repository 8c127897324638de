#include "report/report_probe.h"

#include "probe/probe_win.h"
#include "release/release_lookup.h"
#include "settings/ini.h"
#include "ui/ansi_text.h"
#include "ui/program_title.h"
#include "ui/system_function.h"

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
    // On NT the wide form: the ANSI one gives a character the code page lacks as a look-alike
    // (a Polish L with stroke as a plain L). 98 and ME have the ANSI name alone, which converts
    // back exactly. Either reads into `buffer`, the wide form in characters and the ANSI one in
    // bytes (`unit` of them to a character of `buffer`); a buffer too small is made as large as
    // the call asks for, once.
    using GetComputerNameWFunction = BOOL(WINAPI*)(LPWSTR, LPDWORD);
    const auto getComputerNameW =
        IsWindowsNT() ? SystemFunction<GetComputerNameWFunction>("kernel32.dll", "GetComputerNameW") : nullptr;
    const DWORD unit = getComputerNameW ? 1 : sizeof(wchar_t);
    for (DWORD length = MAX_COMPUTERNAME_LENGTH + 1, read = 0; read < 2; ++read) {
        std::wstring buffer(length, L'\0');
        char* const bytes = reinterpret_cast<char*>(buffer.data());
        const DWORD capacity = length * unit;
        DWORD size = capacity;
        if (getComputerNameW ? getComputerNameW(buffer.data(), &size) : GetComputerNameA(bytes, &size)) {
            if (size >= capacity) break;
            return getComputerNameW ? std::wstring(std::wstring_view(buffer.data(), size))
                                    : FromAnsi(std::string_view(bytes, size));
        }
        if (GetLastError() != ERROR_BUFFER_OVERFLOW || size <= capacity) break;
        length = (size + unit - 1) / unit;
    }
    return {};
}
