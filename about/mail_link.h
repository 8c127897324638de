#pragma once
// Handing a mail link to the shell. The shell is loaded only when a link is first clicked: the
// program starts without it.

#include <windows.h>

#include <string_view>

using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Calls ShellExecuteA of the system folder's shell32.dll (loaded at the first call) for
// `link`, owned by `window`, with the default verb and shown normally; its answer is not
// looked at. Without the shell nothing happens.
void OpenMailLink(HWND window, std::wstring_view link) noexcept;
