#include "program_run.h"

#include "app/main_layout.h"
#include "program_under_test.h"
#include "test_support.h"

std::wstring BuiltProgram() { return TestFolder() + L"\\" + kProgramUnderTest; }

ProgramRun::ProgramRun(const std::wstring& folder) {
    const std::wstring program = folder + L"\\Orvel-Quillon.exe";
    CopyFileW(BuiltProgram().c_str(), program.c_str(), FALSE);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   nullptr, &startup, &info_);
}

ProgramRun::~ProgramRun() {
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

HWND ProgramRun::Window() {
    if (!window_ && info_.hProcess) window_ = WaitForVisibleWindow(info_.dwProcessId, kMainClass, 20000);
    return window_;
}

HWND ProgramRun::Control(std::wstring_view name) {
    HWND window = Window();
    return window ? GetDlgItem(window, ControlId(main_layout::kControls, name)) : nullptr;
}

std::wstring ProgramRun::Text(std::wstring_view name) {
    HWND control = Control(name);
    return control ? RemoteText(control) : L"<no control>";
}

bool ProgramRun::WaitForExit(DWORD timeoutMs) {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD ProgramRun::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void PostCommand(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void ClickWithMouse(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}
