#pragma once
// The About window: the program's name and version, two mail links and the copyright line.
// It is made afresh at every opening and destroyed when it closes.

#include "ui/form_window.h"

#include <windows.h>

class FrmAbout final : public FormWindow {
public:
    FrmAbout() = default;

    // Creates the window hidden over `owner`, centred on it, and runs the load step.
    bool Load(HINSTANCE instance, HWND owner);

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    void MsgCommand(int id, int code) const;
    void MsgClose() const;

    void LoadStep();
};

// Opens the About window modally over `owner`; returns once it has been closed.
void ShowAbout(HINSTANCE instance, HWND owner);
