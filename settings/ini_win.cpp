#include "settings/ini.h"
#include "settings/settings_path.h"
#include "ui/ansi_text.h"
#include "ui/system_function.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr DWORD kValueBufferCount = 256;
constexpr DWORD kValueDeclaredCount = 255; // so a value comes back with at most 254 characters

// Windows 98 and ME give at most this much of a section; NT is given as much.
constexpr DWORD kSectionCount = 32767;
constexpr std::size_t kSectionNameCount = 32; // the names the program reads fit with their NUL

using GetModuleFileNameWFunction = DWORD(WINAPI*)(HMODULE, LPWSTR, DWORD);
using GetPrivateProfileStringWFunction = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPWSTR, DWORD, LPCWSTR);
using GetPrivateProfileSectionWFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD, LPCWSTR);

// The program's folder may be named in characters the ANSI code page lacks, and Windows NT still
// reaches it by its wide name. So on NT the settings file is found and read with the wide
// functions; on Windows 98 and ME, which only have stubs of them, with the ANSI ones.
struct WideSettingsFunctions {
    GetModuleFileNameWFunction moduleFileName = nullptr;
    GetPrivateProfileStringWFunction profileString = nullptr;

    static WideSettingsFunctions Find() {
        WideSettingsFunctions found;
        if (!IsWindowsNT()) return found;
        found.moduleFileName = SystemFunction<GetModuleFileNameWFunction>("kernel32.dll", "GetModuleFileNameW");
        found.profileString =
            SystemFunction<GetPrivateProfileStringWFunction>("kernel32.dll", "GetPrivateProfileStringW");
        return found;
    }
    bool Found() const { return moduleFileName && profileString; }
};

template <typename Char, typename GetModuleFileNameFunction>
std::basic_string<Char> ModuleFileNameWith(GetModuleFileNameFunction getModuleFileName) {
    std::basic_string<Char> path(MAX_PATH, Char{});
    for (;;) {
        const DWORD count = getModuleFileName(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (count == 0) return {};
        if (count < path.size()) {
            path.resize(count);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

// The count of characters GetPrivateProfileSection wrote before the last NUL. It answers the
// buffer's size less 2 when the lines did not fit; a section that long is not read.
DWORD WholeSectionCount(DWORD count) { return count + 2 < kSectionCount ? count : 0; }

std::wstring ModuleFileName(const WideSettingsFunctions& wide) {
    if (wide.Found()) return ModuleFileNameWith<wchar_t>(wide.moduleFileName);
    return FromAnsi(ModuleFileNameWith<char>(GetModuleFileNameA));
}

} // namespace

std::wstring ProgramFolderPath(std::wstring_view fileName) {
    return SettingsPath(FolderOfPath(ModuleFileName(WideSettingsFunctions::Find())), fileName);
}

std::wstring ReadProfileValue(const std::wstring& path, const std::wstring& section,
                              const std::wstring& key, const std::wstring& defaultValue) {
    if (const WideSettingsFunctions wide = WideSettingsFunctions::Find(); wide.Found()) {
        wchar_t value[kValueBufferCount] = {};
        const DWORD count = wide.profileString(section.c_str(), key.c_str(), defaultValue.c_str(), value,
                                               kValueDeclaredCount, path.c_str());
        return std::wstring(value, std::min<DWORD>(count, kValueDeclaredCount - 1));
    }
    // A file the code page cannot name cannot be read; a character replaced could name another.
    const std::string ansiPath = ToAnsi(path);
    if (ansiPath.empty()) return defaultValue;
    char value[kValueBufferCount] = {};
    const DWORD length = GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(),
                                                  ToAnsi(defaultValue).c_str(), value, kValueDeclaredCount,
                                                  ansiPath.c_str());
    return FromAnsi(std::string_view(value, std::min<DWORD>(length, kValueDeclaredCount - 1)));
}

std::wstring ReadINI(const std::wstring& fileName, const std::wstring& section,
                     const std::wstring& key, const std::wstring& defaultValue) {
    return ReadProfileValue(ProgramFolderPath(fileName), section, key, defaultValue);
}

std::span<wchar_t> ReadSettingsFileSection(std::wstring_view section) {
    // Made at the first read and kept until the program ends; a run reads at most two sections.
    static wchar_t* const lines = new wchar_t[kSectionCount];
    const std::wstring path = ProgramFolderPath(kSettingsFileName);
    if (IsWindowsNT())
        if (const auto wide =
                SystemFunction<GetPrivateProfileSectionWFunction>("kernel32.dll", "GetPrivateProfileSectionW")) {
            wchar_t name[kSectionNameCount] = {};
            if (section.size() >= kSectionNameCount) return {};
            std::char_traits<wchar_t>::copy(name, section.data(), section.size());
            return {lines, WholeSectionCount(wide(name, lines, kSectionCount, path.c_str()))};
        }
    const std::string ansiPath = ToAnsi(path);
    if (ansiPath.empty()) return {};
    // The ANSI lines are read into the first half of the same buffer, a byte for each character,
    // and their UTF-16 text, never more characters than bytes, then put over them.
    char* const ansiLines = reinterpret_cast<char*>(lines);
    const DWORD count = GetPrivateProfileSectionA(ToAnsi(section).c_str(), ansiLines, kSectionCount, ansiPath.c_str());
    const std::wstring wide = FromAnsi(std::string_view(ansiLines, WholeSectionCount(count)));
    std::char_traits<wchar_t>::copy(lines, wide.data(), wide.size());
    return {lines, wide.size()};
}
