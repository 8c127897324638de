#include "ui/window.h"

#include <algorithm>

bool RegisterWindowClass(HINSTANCE instance, const char* className, WNDPROC procedure) {
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = procedure;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = className;
    return RegisterClassExA(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void CenterWindow(HWND window, HWND over) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    const HMONITOR where = over ? MonitorFromWindow(over, MONITOR_DEFAULTTONEAREST)
                                : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoA(where, &monitor)) return;
    const RECT area = monitor.rcWork;
    RECT around = area;
    if (over) GetWindowRect(over, &around);

    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    LONG left = around.left + (around.right - around.left - width) / 2;
    LONG top = around.top + (around.bottom - around.top - height) / 2;
    left = std::max(area.left, std::min(left, area.right - width));
    top = std::max(area.top, std::min(top, area.bottom - height));
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RunUntilDestroyed(HWND window, HACCEL accelerators) {
    MSG msg;
    while (IsWindow(window)) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) return;
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (accelerators && TranslateAcceleratorA(window, accelerators, &msg)) continue;
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void ShowModal(HWND dialog, HWND owner) {
    EnableWindow(owner, FALSE);
    ShowWindow(dialog, SW_SHOW);
    RunUntilDestroyed(dialog);
    EnableWindow(owner, TRUE);
}

void CloseModal(HWND dialog) {
    if (HWND owner = GetWindow(dialog, GW_OWNER)) EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
    // The modal loop looks at the dialog only when it takes a message, and a close sent from
    // another program comes inside its GetMessage, with nothing after it: a thread message wakes it.
    PostMessageA(nullptr, WM_NULL, 0, 0);
}

void PressFocusedButton(HWND window) {
    HWND focus = GetFocus();
    if (!focus || !IsChild(window, focus)) return;
    if (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))
        SendMessageA(focus, BM_CLICK, 0, 0);
}
