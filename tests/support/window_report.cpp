// Prints the report that a running Orvel Quillon shows, as plain text, and can close it:
//   quillon-report [--close | --geometry]
// --geometry prints the window's place on the screen as WIDTHxHEIGHT+LEFT+TOP, for cropping.
// Waits up to 30 seconds for the main window to be visible. Exit code 0 when it was found.

#include "remote_window.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kMainClass[] = L"OrvelQuillonVersion";

void PrintUtf8(const std::wstring& text) {
    const int count = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), count,
                        nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring option = argc > 1 ? argv[1] : L"";
    HWND window = WaitForAnyVisibleWindow(kMainClass, 30000);
    if (!window) {
        std::fputs("The Orvel Quillon window did not appear.\n", stderr);
        return 1;
    }
    if (option == L"--geometry") {
        RECT rect{};
        GetWindowRect(window, &rect);
        std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                    rect.top);
        return 0;
    }
    if (option == L"--close") {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
        PostMessageW(window, WM_CLOSE, 0, 0);
        const bool ended = process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
        if (process) CloseHandle(process);
        return ended ? 0 : 1;
    }
    PrintUtf8(WindowReport(window));
    return 0;
}
