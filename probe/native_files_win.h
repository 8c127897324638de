#pragma once
// On 64-bit Windows the program reports the files that a native (64-bit) program would see.
//
// There the program, a 32-bit one, runs under WOW64: Windows shows it SysWOW64 when it opens the
// system folder, and the 32-bit registry view, whose Program Files folder is "Program Files
// (x86)". But the display driver of a 64-bit Windows and its user-mode parts are 64-bit files in
// the real system folder and under the real Program Files; SysWOW64 holds at most 32-bit
// companions, for 32-bit games. So under WOW64 the file probes look past the redirection, and
// Program Files is read from the 64-bit registry view. On 32-bit Windows, from 98 SE to 11,
// nothing here changes a thing.

#include <windows.h>

// True when the program runs under WOW64 on a Windows that can show it the native system folder
// (IsWow64Process says so, and the functions that turn the redirection off exist: XP x64,
// Server 2003 SP1 and every later 64-bit Windows). Found out once, at the first call.
bool SeesNativeFolders();

// While it lives, the file calls of the calling thread see the native system folder, where
// SeesNativeFolders() is true; elsewhere it does nothing.
//
// Keep it narrow: around the calls that open an ATI file, and nothing else. With the
// redirection off Windows also looks for DLLs in the native system folder, and finds 64-bit
// ones that a 32-bit program cannot load: a window made, a message handled or a function loaded
// on first use in between would fail, and a failed delay-load stays failed for the rest of the
// run. So VERSION.dll is loaded before the first guard, and a guard never spans a call into
// the window manager.
class NativeFileSystem {
public:
    NativeFileSystem() noexcept;
    ~NativeFileSystem();
    NativeFileSystem(const NativeFileSystem&) = delete;
    NativeFileSystem& operator=(const NativeFileSystem&) = delete;

private:
    PVOID previous_{};
    bool turnedOff_{false};
};
