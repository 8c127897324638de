#pragma once
// Orvel-Quillon.exe started for one test from a folder of the test's choosing, and looked at
// from the outside.

#include "remote_window.h"

#include <windows.h>

#include <string>
#include <string_view>

inline constexpr wchar_t kMainClass[] = L"OrvelQuillonVersion";
inline constexpr wchar_t kAboutClass[] = L"OrvelQuillonAbout";

// The program under test: the shipped one, or this test build's own where Wine cannot run it.
std::wstring BuiltProgram();

class ProgramRun {
public:
    // Copies the program into `folder` (which must exist) and starts it from there, with the
    // arguments given and, if `output` is not null, that handle as its standard output.
    explicit ProgramRun(const std::wstring& folder, const std::wstring& arguments = L"",
                        HANDLE output = nullptr);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // The main window once it is visible (the program shows it only when the report is
    // complete) and ready for input; null if it was not within 20 and 10 more seconds.
    HWND Window();
    // The text of a main-window control, by its layout name.
    std::wstring Text(std::wstring_view name);
    HWND Control(std::wstring_view name);

    // True when the program ended within `timeoutMs`.
    bool WaitForExit(DWORD timeoutMs);
    // The same, and false too if a window of the program existed at any look on the way.
    bool ExitsWithoutWindow(DWORD timeoutMs);
    DWORD ExitCode() const;
    DWORD ProcessId() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
    HWND window_{};
};

// Sends a command to a window of another process, as a click on a menu item does.
void PostCommand(HWND window, int id);
