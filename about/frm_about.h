#pragma once
// The About window: the program's name and version, two mail links and the copyright line.
// It is made afresh at every opening and destroyed when it closes.

#include "ui/form.h"

#include <windows.h>

class FrmAbout {
public:
    FrmAbout() = default;
    FrmAbout(const FrmAbout&) = delete;
    FrmAbout& operator=(const FrmAbout&) = delete;
    ~FrmAbout();

    // Creates the window hidden over `owner`, centred on it, and runs the load step.
    bool Load(HINSTANCE instance, HWND owner);
    HWND Handle() const { return hwnd_; }
    const Form& Controls() const { return form_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void MsgCommand(int id, int code) const;
    void MsgSetFocus() const;

    void LoadStep();

    HWND hwnd_{};
    Form form_;
};

// Opens the About window modally over `owner`; returns once it has been closed.
void ShowAbout(HINSTANCE instance, HWND owner);
