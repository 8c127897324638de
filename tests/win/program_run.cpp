#include "program_run.h"

#include "app/main_layout.h"
#include "program_under_test.h"
#include "real_input.h"
#include "test_support.h"

std::wstring BuiltProgram() { return TestFolder() + L"\\" + kProgramUnderTest; }

ProgramRun::ProgramRun(const std::wstring& folder, const std::wstring& arguments, HANDLE output) {
    const std::wstring program = folder + L"\\Orvel-Quillon.exe";
    CopyFileW(BuiltProgram().c_str(), program.c_str(), FALSE);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
    }
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                   nullptr, &startup, &info_);
}

ProgramRun::~ProgramRun() {
    if (!info_.hProcess) return;
    // The program is closed as a user closes it, and forced only if it does not end; either
    // way the next test starts once none of its windows is left.
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        if (HWND main = window_ ? window_ : WaitForVisibleWindow(info_.dwProcessId, kMainClass, 0))
            PostMessageW(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info_.hProcess, 5000) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
    }
    WaitUntilNoWindowOf(info_.dwProcessId, 5000);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

HWND ProgramRun::Window() {
    if (!window_ && info_.hProcess) {
        HWND shown = WaitForVisibleWindow(info_.dwProcessId, kMainClass, 20000);
        if (shown && WaitUntilReadyForInput(shown)) window_ = shown;
    }
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

bool ProgramRun::ExitsWithoutWindow(DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    bool windowSeen = false;
    while (info_.hProcess && WaitForSingleObject(info_.hProcess, 5) == WAIT_TIMEOUT) {
        windowSeen = windowSeen || AnyWindowOf(info_.dwProcessId);
        if (GetTickCount64() >= end) return false;
    }
    return info_.hProcess && !windowSeen;
}

DWORD ProgramRun::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void PostCommand(HWND window, int id) { PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
