#include "test_support.h"

#include <utility>
#include <vector>

std::wstring TestFolder() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD count = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::wstring folder(path, count);
    return folder.substr(0, folder.rfind(L'\\'));
}

std::wstring FixturePath(std::wstring_view name) {
    return TestFolder() + L"\\fixtures\\" + std::wstring(name);
}

std::wstring SystemFolder() {
    wchar_t path[MAX_PATH] = {};
    return std::wstring(path, GetSystemDirectoryW(path, MAX_PATH));
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string ReadBytes(const std::wstring& path) {
    // Reading never stands in a writer's way: a test that polls a file another program appends
    // to must not make that program's open fail while the test holds the file for a moment.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

void CreateFolders(const std::wstring& path) {
    for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path.c_str());
}

ScopedFolder::ScopedFolder(std::wstring path) : path_(std::move(path)) {
    RemoveTree(path_);
    CreateFolders(path_);
}

ScopedFolder::~ScopedFolder() { RemoveTree(path_); }

ScopedFile ScopedFile::CopyOf(std::wstring_view fixture, std::wstring path) {
    CopyFileW(FixturePath(fixture).c_str(), path.c_str(), FALSE);
    return ScopedFile(std::move(path));
}

ScopedFile ScopedFile::FixtureIn(std::wstring_view fixture, const std::wstring& folder) {
    const std::wstring_view name = fixture.substr(0, fixture.find(L'-'));
    return CopyOf(std::wstring(fixture) + L".dll", folder + L"\\" + std::wstring(name) + L".dll");
}

ScopedFile ScopedFile::WithBytes(std::wstring path, std::string_view bytes) {
    WriteBytes(path, bytes);
    return ScopedFile(std::move(path));
}

ScopedFile::ScopedFile(ScopedFile&& other) noexcept : path_(std::exchange(other.path_, {})) {}

ScopedFile::~ScopedFile() {
    if (path_.empty()) return;
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path_.c_str());
}

ScopedRegValue::ScopedRegValue(HKEY root, std::wstring subKey, std::wstring name, const std::wstring& text,
                               REGSAM view)
    : root_(root), subKey_(std::move(subKey)), name_(std::move(name)), view_(view) {
    Set(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

ScopedRegValue::ScopedRegValue(HKEY root, std::wstring subKey, std::wstring name, DWORD number)
    : root_(root), subKey_(std::move(subKey)), name_(std::move(name)) {
    Set(REG_DWORD, &number, sizeof number);
}

void ScopedRegValue::Set(DWORD type, const void* data, DWORD length) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root_, subKey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &key, nullptr))
        return;
    DWORD oldLength = 0;
    if (RegQueryValueExW(key, name_.c_str(), nullptr, &type_, nullptr, &oldLength) == ERROR_SUCCESS) {
        data_.resize(oldLength);
        had_ = RegQueryValueExW(key, name_.c_str(), nullptr, &type_,
                                reinterpret_cast<BYTE*>(data_.data()), &oldLength) == ERROR_SUCCESS;
    }
    RegSetValueExW(key, name_.c_str(), 0, type, static_cast<const BYTE*>(data), length);
    RegCloseKey(key);
}

ScopedRegValue::~ScopedRegValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root_, subKey_.c_str(), 0, KEY_ALL_ACCESS | view_, &key)) return;
    if (had_)
        RegSetValueExW(key, name_.c_str(), 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                       static_cast<DWORD>(data_.size()));
    else
        RegDeleteValueW(key, name_.c_str());
    RegCloseKey(key);
}

std::vector<RegistryValue> RegistryValues(HKEY root, const std::wstring& subKey, REGSAM view) {
    std::vector<RegistryValue> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return values;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameCount = 16384;
        DWORD type = 0;
        DWORD length = 0;
        if (RegEnumValueW(key, index, name, &nameCount, nullptr, &type, nullptr, &length) != ERROR_SUCCESS)
            break;
        std::string data(length, '\0');
        nameCount = 16384;
        RegEnumValueW(key, index, name, &nameCount, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &length);
        values.push_back({std::wstring(name, nameCount), type, data});
    }
    RegCloseKey(key);
    return values;
}

std::wstring ProgramFilesFolder(REGSAM view) {
    wchar_t folder[MAX_PATH] = {};
    DWORD length = sizeof folder;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ | view, &key) ==
        ERROR_SUCCESS) {
        RegGetValueW(key, nullptr, L"ProgramFilesDir", RRF_RT_REG_SZ, nullptr, folder, &length);
        RegCloseKey(key);
    }
    return folder;
}

std::string ToldWindowsTestName(const ToldWindows& windows) {
    const std::wstring name = *windows.name ? windows.name : L"prefix";
    return std::string(name.begin(), name.end());
}

void PrintTo(const ToldWindows& windows, std::ostream* out) { *out << ToldWindowsTestName(windows); }

ScopedWindowsVersion::ScopedWindowsVersion(const ToldWindows& windows) : windows_(windows) {
    if (*windows.name) version_.emplace(HKEY_CURRENT_USER, L"Software\\Wine", L"Version", windows.name);
}

bool ScopedWindowsVersion::InEffect() const { return !*windows_.name || Told() == windows_.version; }

std::wstring ScopedWindowsVersion::Told() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0)) return {};
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"cmd.exe /c ver";
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    CloseHandle(write);
    std::string output;
    char buffer[256];
    DWORD count = 0;
    while (started && ReadFile(read, buffer, sizeof buffer, &count, nullptr) && count) output.append(buffer, count);
    CloseHandle(read);
    if (started) {
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    // "Microsoft Windows 5.1.2600": the first two numbers.
    const std::size_t start = output.find_first_of("0123456789");
    if (start == std::string::npos) return {};
    const std::size_t end = output.find('.', output.find('.', start) + 1);
    const std::string version = output.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return std::wstring(version.begin(), version.end());
}
