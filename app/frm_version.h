#pragma once
// The main window: it assembles the report once, before it is first shown.

#include "report/report_text.h"
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
    // The window's keys (Ctrl+C and Ctrl+Insert), for its message loop.
    HACCEL Accelerators() const { return accelerators_; }

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept override;
    void MsgCreate();
    void MsgCommand(int id, int code);
    void MsgDestroy();

    void LoadStep();
    void GetCatalystVersion();
    void GetPanelVersion();
    void FillFileLines();
    // Ctrl+C and Ctrl+Insert: the report as the window shows it, onto the clipboard.
    void CopyReport() const noexcept;

    HINSTANCE instance_{};
    HACCEL accelerators_{}; // from the resources: freed with the program
    ReportResults results_; // what the load step wrote into the window
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
};
