#pragma once
// Files, folders and registry values the Windows-side tests set up and always take away.

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The folder the test program runs from (build/win32), and the fixture DLLs built beside it.
std::wstring TestFolder();
std::wstring FixturePath(std::wstring_view name);
std::wstring SystemFolder();

bool WriteBytes(const std::wstring& path, std::string_view bytes);
std::string ReadBytes(const std::wstring& path);

// Creates the folder (and its parents) and removes it with everything in it when it goes.
class ScopedFolder {
public:
    explicit ScopedFolder(std::wstring path);
    ~ScopedFolder();
    ScopedFolder(const ScopedFolder&) = delete;
    ScopedFolder& operator=(const ScopedFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }

private:
    std::wstring path_;
};

// A file put in place for one test (a copy of a fixture, or given bytes), removed afterwards.
class ScopedFile {
public:
    static ScopedFile CopyOf(std::wstring_view fixture, std::wstring path);
    // A fixture put in `folder` under its real name: "ati2dvag-6.14.10.6404" as ati2dvag.dll.
    static ScopedFile FixtureIn(std::wstring_view fixture, const std::wstring& folder);
    static ScopedFile WithBytes(std::wstring path, std::string_view bytes);
    ~ScopedFile();
    ScopedFile(ScopedFile&& other) noexcept;
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    explicit ScopedFile(std::wstring path) : path_(std::move(path)) {}
    std::wstring path_;
};

// Sets a registry value for one test and puts back what was there (or nothing) afterwards.
// `view` (KEY_WOW64_64KEY or KEY_WOW64_32KEY) picks a registry view under WOW64.
class ScopedRegValue {
public:
    ScopedRegValue(HKEY root, std::wstring subKey, std::wstring name, const std::wstring& text, REGSAM view = 0);
    ScopedRegValue(HKEY root, std::wstring subKey, std::wstring name, DWORD number);
    ~ScopedRegValue();
    ScopedRegValue(const ScopedRegValue&) = delete;
    ScopedRegValue& operator=(const ScopedRegValue&) = delete;

private:
    void Set(DWORD type, const void* data, DWORD length);

    HKEY root_;
    std::wstring subKey_, name_;
    REGSAM view_{0};
    bool had_{false};
    DWORD type_{0};
    std::string data_;
};

// A Windows that the end-to-end tests also run the program on: Wine's name for it, and the
// version a program is then told, as the VER command prints it; both empty for the prefix's own.
struct ToldWindows {
    const wchar_t* name;
    const wchar_t* version;
};
inline constexpr ToldWindows kToldWindows[] = {
    {L"", L""}, {L"win98", L"4.10"}, {L"winme", L"4.90"}, {L"win2k", L"5.0"}, {L"winxp", L"5.1"}};
// "win2k", or "prefix" for the prefix's own: the test's name and how GoogleTest prints it.
std::string ToldWindowsTestName(const ToldWindows& windows);
void PrintTo(const ToldWindows& windows, std::ostream* out);

// Wine tells the programs started while this lives that they run on `windows`.
class ScopedWindowsVersion {
public:
    explicit ScopedWindowsVersion(const ToldWindows& windows);
    // The version a program started now is told ("5.1" from "Microsoft Windows 5.1.2600").
    static std::wstring Told();
    // True when that is the version asked for (always for the prefix's own).
    bool InEffect() const;

private:
    const ToldWindows& windows_;
    std::optional<ScopedRegValue> version_;
};

// Every value of a key as name, type and data, in the registry's order; `view` as above.
struct RegistryValue {
    std::wstring name;
    DWORD type;
    std::string data;
    bool operator==(const RegistryValue&) const = default;
};
std::vector<RegistryValue> RegistryValues(HKEY root, const std::wstring& subKey, REGSAM view = 0);

// The Program Files folder as the registry holds it; `view` as above.
std::wstring ProgramFilesFolder(REGSAM view = 0);

void CreateFolders(const std::wstring& path);
void RemoveTree(const std::wstring& path);
