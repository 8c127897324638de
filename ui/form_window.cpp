#include "ui/form_window.h"

#include "ui/ansi_text.h"
#include "ui/window.h"

FormWindow::~FormWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool FormWindow::CreateFormWindow(HINSTANCE instance, const char* className, const FormSpec& layout,
                                  DWORD style, DWORD exStyle, HWND owner, HMENU menu) {
    if (!RegisterWindowClass(instance, className, WindowProc)) {
        if (menu) DestroyMenu(menu);
        return false;
    }
    layout_ = &layout;
    const SIZE size = FormWindowSize(layout, style, exStyle, menu != nullptr);
    const std::string caption = ToAnsi(layout.caption);
    // On failure the window is gone, and the menu with it.
    CreateWindowExA(exStyle, className, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                    size.cx, size.cy, owner, menu, instance, this);
    return hwnd_ != nullptr;
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    return self->Dispatch(message, wParam, lParam);
}

LRESULT FormWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_CREATE:
        return form_.Create(hwnd_, *layout_) ? 0 : -1;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            form_.ColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(form_.WindowFont());
    case WM_SYSCOLORCHANGE:
        MsgSysColorChange();
        return 0;
    case WM_SETTINGCHANGE:
        MsgSettingChange(static_cast<UINT>(wParam));
        break;
    case WM_SETFOCUS:
        // The push button is the only control that takes the focus.
        for (const FormControl& control : form_.Controls())
            if (control.layout->kind == ControlKind::Button) {
                SetFocus(control.hwnd);
                break;
            }
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) PressFocusedButton(hwnd_);
        return 0;
    case WM_DESTROY:
        form_.Destroy();
        return 0;
    case WM_NCDESTROY: {
        HWND hwnd = hwnd_;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void FormWindow::MsgSysColorChange() const {
    // The common controls hear of a new scheme only from the window that holds them.
    for (const FormControl& control : form_.Controls())
        SendMessageA(control.hwnd, WM_SYSCOLORCHANGE, 0, 0);
    Repaint();
}

void FormWindow::MsgSettingChange(UINT setting) const {
    if (setting == SPI_SETHIGHCONTRAST) Repaint();
}

void FormWindow::Repaint() const {
    // Colours are chosen while painting, so painting everything again shows the new ones.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
