#include "survey/named_files_win.h"

#include "ui/ansi_text.h"
#include "ui/system_function.h"
#include "ui/win_handles.h"

NamedFiles::NamedFiles() {
    if (!IsWindowsNT()) return;
    const auto find = [](auto& function, const char* name) {
        function = SystemFunction<std::remove_reference_t<decltype(function)>>("kernel32.dll", name);
        return function != nullptr;
    };
    if (!(find(createFile_, "CreateFileW") && find(attributes_, "GetFileAttributesW") &&
          find(deleteFile_, "DeleteFileW") && find(findFirst_, "FindFirstFileW") && find(findNext_, "FindNextFileW")))
        createFile_ = nullptr; // all of them, or the ANSI ones
}

bool NamedFiles::CanReach(const std::wstring& path) const {
    if (createFile_) return !path.empty() && path.size() < MAX_PATH;
    const std::string ansi = ToAnsi(path);
    return !ansi.empty() && ansi.size() < MAX_PATH;
}

DWORD NamedFiles::Attributes(const std::wstring& path) const {
    if (!CanReach(path)) return INVALID_FILE_ATTRIBUTES;
    return createFile_ ? attributes_(path.c_str()) : GetFileAttributesA(ToAnsi(path).c_str());
}

HANDLE NamedFiles::Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) const {
    if (!CanReach(path)) {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    return createFile_
               ? createFile_(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr)
               : CreateFileA(ToAnsi(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool NamedFiles::Delete(const std::wstring& path) const {
    return CanReach(path) && (createFile_ ? deleteFile_(path.c_str()) : DeleteFileA(ToAnsi(path).c_str()));
}

std::vector<std::wstring> NamedFiles::Names(const std::wstring& pattern, std::uint64_t* firstLength) const {
    std::vector<std::wstring> names;
    if (firstLength) *firstLength = 0;
    if (!CanReach(pattern)) return names;
    WIN32_FIND_DATAW wide;
    WIN32_FIND_DATAA ansi;
    const UniqueFind find(createFile_ ? findFirst_(pattern.c_str(), &wide)
                                      : FindFirstFileA(ToAnsi(pattern).c_str(), &ansi));
    if (find && firstLength)
        *firstLength = createFile_ ? std::uint64_t{wide.nFileSizeHigh} << 32 | wide.nFileSizeLow
                                   : std::uint64_t{ansi.nFileSizeHigh} << 32 | ansi.nFileSizeLow;
    if (find) do {
            if (!((createFile_ ? wide.dwFileAttributes : ansi.dwFileAttributes) & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(createFile_ ? std::wstring(wide.cFileName) : FromAnsi(ansi.cFileName));
        } while (createFile_ ? findNext_(find.get(), &wide) : FindNextFileA(find.get(), &ansi));
    return names;
}
