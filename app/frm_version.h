#pragma once
// The main window: it assembles the report once, before it is first shown.

#include "ui/form_window.h"
#include "ui/win_handles.h"

#include <windows.h>

class FrmVersion final : public FormWindow {
public:
    // Creating the window object readies the common controls; nothing else happens yet.
    FrmVersion();

    // Creates the window hidden and runs the load step; false if the window could not be made.
    bool Load(HINSTANCE instance);
    // Shows the loaded window with the focus on Close.
    void Show(int showCommand) const;

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    void MsgCreate();
    void MsgCommand(int id, int code);
    void MsgDestroy();

    void LoadStep();
    void GetCatalystVersion() const;
    void GetPanelVersion() const;
    void FillFileLines() const;

    HINSTANCE instance_{};
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
};
