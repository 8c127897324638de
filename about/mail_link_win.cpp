#include "about/mail_link.h"

#include "ui/ansi_text.h"
#include "ui/system_function.h"

namespace {

// Loaded at the first click; both stay as they are for every later click.
bool shellLoaded = false;
ShellExecuteAFunction shellExecute = nullptr;

} // namespace

void OpenMailLink(HWND window, std::wstring_view link) noexcept {
    if (!shellLoaded) {
        shellExecute = FunctionOf<ShellExecuteAFunction>(LoadSystemDll("shell32.dll"), "ShellExecuteA");
        shellLoaded = true;
    }
    // The shell's answer does not matter: without a mail program nothing happens.
    if (shellExecute) shellExecute(window, nullptr, ToAnsi(link).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
