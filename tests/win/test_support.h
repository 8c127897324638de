#pragma once
// Files, folders and registry values the Windows-side tests set up and always take away.

#include <windows.h>

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
class ScopedRegValue {
public:
    ScopedRegValue(HKEY root, std::wstring subKey, std::wstring name, const std::wstring& text);
    ScopedRegValue(HKEY root, std::wstring subKey, std::wstring name, DWORD number);
    ~ScopedRegValue();
    ScopedRegValue(const ScopedRegValue&) = delete;
    ScopedRegValue& operator=(const ScopedRegValue&) = delete;

private:
    void Set(DWORD type, const void* data, DWORD length);

    HKEY root_;
    std::wstring subKey_, name_;
    bool had_{false};
    DWORD type_{0};
    std::string data_;
};

// Every value of a key as name, type and data, in the registry's order.
struct RegistryValue {
    std::wstring name;
    DWORD type;
    std::string data;
    bool operator==(const RegistryValue&) const = default;
};
std::vector<RegistryValue> RegistryValues(HKEY root, const std::wstring& subKey);

void CreateFolders(const std::wstring& path);
void RemoveTree(const std::wstring& path);
