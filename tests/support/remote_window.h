#pragma once
// Looking at another process's windows from the outside, as a user or a screen reader would:
// class names, texts, styles and rectangles.

#include <windows.h>

#include <string>
#include <vector>

struct RemoteControl {
    HWND hwnd;
    int id;
    std::wstring className;
    std::wstring text;
    RECT rect; // in the parent's client coordinates
    LONG style;
};

// The window's text, read with WM_GETTEXT through SendMessageTimeout.
std::wstring RemoteText(HWND window);

// The direct children of `window`, in control-id order.
std::vector<RemoteControl> RemoteControls(HWND window);

// The top-level window of class `className` that process `processId` shows, once it is
// visible; null after `timeoutMs`.
HWND WaitForVisibleWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs);

// The visible top-level window of class `className` of any process, or null after `timeoutMs`.
HWND WaitForAnyVisibleWindow(const wchar_t* className, DWORD timeoutMs);

// A top-level window of process `processId`, shown or not; null when it has none.
HWND AnyWindowOf(DWORD processId);
// True once process `processId` has no top-level window left; false after `timeoutMs`.
bool WaitUntilNoWindowOf(DWORD processId, DWORD timeoutMs);

// The main window and its report as plain text lines: caption, each frame's text followed by
// the labels inside it, row by row.
std::wstring WindowReport(HWND window);
