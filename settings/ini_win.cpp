#include "settings/ini.h"
#include "settings/settings_path.h"
#include "ui/ansi_text.h"
#include "ui/system_function.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr DWORD kValueBufferCount = 256;
constexpr DWORD kValueDeclaredCount = 255; // so a value comes back with at most 254 characters

using GetModuleFileNameWFunction = DWORD(WINAPI*)(HMODULE, LPWSTR, DWORD);
using GetPrivateProfileStringWFunction = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPWSTR, DWORD, LPCWSTR);

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

std::wstring ModuleFileName(const WideSettingsFunctions& wide) {
    if (wide.Found()) return ModuleFileNameWith<wchar_t>(wide.moduleFileName);
    return FromAnsi(ModuleFileNameWith<char>(GetModuleFileNameA));
}

} // namespace

std::wstring ProgramFolderPath(const std::wstring& fileName) {
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
