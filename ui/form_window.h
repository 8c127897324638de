#pragma once
// A top-level window made of a form: the object owns its window, receives its messages and
// answers the ones every form window answers alike (colours, a new colour scheme, fonts, focus
// on its push button, Enter pressing the focused button, teardown).

#include "ui/form.h"

#include <windows.h>

class FormWindow {
public:
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    const Form& Controls() const { return form_; }

protected:
    FormWindow() = default;
    ~FormWindow();

    // Registers the class once and creates the window, hidden, with a client area of the
    // form's size; the form's controls are made on WM_CREATE. False if that failed.
    bool CreateFormWindow(HINSTANCE instance, const char* className, const FormSpec& layout,
                          DWORD style, DWORD exStyle, HWND owner, HMENU menu);

    // A derived window handles its own messages and passes the rest here.
    virtual LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND hwnd_{};
    Form form_;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    // A new colour scheme, or high contrast turned on or off: everything is painted again.
    void MsgSysColorChange() const;
    void MsgSettingChange(UINT setting) const;
    void Repaint() const;

    const FormSpec* layout_{};
};
