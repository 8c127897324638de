// Stands in for a mail program in the tests: appends the link it is handed, one line per
// call, to the file named by the first argument.
//   mail-recorder <log file> <link>

#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const int argc = __argc;
    wchar_t** const argv = __wargv;
    if (argc < 3 || !argv) return 2;
    std::wstring line = argv[2];
    line += L"\n";
    const int count = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), count, nullptr, nullptr);
    HANDLE log = CreateFileW(argv[1], FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(log, utf8.data(), static_cast<DWORD>(utf8.size() - 1), &written, nullptr);
    CloseHandle(log);
    return 0;
}
