#pragma once
// Window plumbing both windows share: class registration, placement, message loops.

#include <windows.h>

// Registers a window class for one of the program's windows; true if it exists afterwards.
bool RegisterWindowClass(HINSTANCE instance, const char* className, WNDPROC procedure);

// Places a window centred over `over`, or on the screen's work area when `over` is null,
// kept inside the work area.
void CenterWindow(HWND window, HWND over);

// Runs messages, with keyboard navigation for `window` and its `accelerators` (if any), until
// `window` is destroyed or a WM_QUIT arrives, which is posted again for an outer loop. The loop
// looks at `window` after each message it takes; a window destroyed by a message sent from
// another program goes inside GetMessage, so whatever destroys it also posts a message (the
// main window its WM_QUIT, CloseModal a wake-up).
void RunUntilDestroyed(HWND window, HACCEL accelerators = nullptr);

// Shows `dialog` and keeps `owner` from taking input until the dialog is destroyed.
void ShowModal(HWND dialog, HWND owner);
// Closes a modal window: gives input back to its owner first, so the owner is activated, and
// wakes the modal loop.
void CloseModal(HWND dialog);

// Enter on a window that is not a dialog arrives as IDOK: press the focused push button,
// as Enter does in a dialog when a push button has the focus.
void PressFocusedButton(HWND window);
