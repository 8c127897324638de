#include "about/mail_link.h"

#include "probe/probe_win.h"
#include "ui/ansi_text.h"
#include "ui/win_handles.h"

namespace {

// Loaded at the first click; both stay as they are for every later click.
bool shellLoaded = false;
ShellExecuteAFunction shellExecute = nullptr;

} // namespace

ShellExecuteAFunction LoadShellExecuteA(const std::wstring& path) {
    const QuietErrorMode quiet;
    HMODULE shell = LoadLibraryA(ToAnsi(path).c_str());
    return shell ? reinterpret_cast<ShellExecuteAFunction>(
                       reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteA")))
                 : nullptr;
}

void OpenMailLink(HWND window, std::wstring_view link) noexcept {
    try {
        if (!shellLoaded) {
            shellExecute = LoadShellExecuteA(SysDir() + L"\\shell32.dll");
            shellLoaded = true;
        }
        // The shell's answer does not matter: without a mail program nothing happens.
        if (shellExecute) shellExecute(window, nullptr, ToAnsi(link).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } catch (...) {
        // Out of memory for the path or the link's ANSI text: the click does nothing.
    }
}
