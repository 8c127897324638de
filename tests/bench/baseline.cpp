// The start-up floor for Orvel Quillon's main window: everything a program has to do to show
// that window, and nothing of the program's own work. It readies the common controls and makes
// the window through the program's own FormWindow and layout table (same class style, size,
// menu bar, controls, fonts and icons), then puts in the texts a Catalyst 3.10 installation
// shows. It reads no file, registry value or setting. scripts/bench times it against the
// program.

#include "app/main_frame.h"
#include "app/main_layout.h"
#include "ui/common_controls.h"
#include "ui/form_window.h"
#include "ui/win_handles.h"
#include "ui/window.h"

#include <windows.h>

namespace {

constexpr char kClassName[] = "QuillonBenchBaseline";

constexpr char kCaption[] = "Orvel Quillon 3.10";

struct FixedText {
    const wchar_t* label;
    const wchar_t* text;
};

// What the window shows for the sample installation, fixed here instead of read.
constexpr FixedText kTexts[] = {
    {L"Label17", L"Catalyst 3.10"},
    {L"Label18", L"For Catalyst 3.10"},
    {L"Label1", L"ati2dvag.dll: "},  {L"Label4", L"6.14.10.6404"},
    {L"Label2", L"ati3d1ag.dll: "},  {L"Label5", L"6.14.10.409"},
    {L"Label3", L"ati3d2ag.dll: "},  {L"Label6", L"6.14.10.409"},
    {L"Label7", L"atioglxx.dll: "},  {L"Label8", L"6.14.10.4227"},
    {L"Label9", L"ati3duag.dll: "},  {L"Label10", L"6.14.10.409"},
    {L"Label11", L"atippaxx.dll: "}, {L"Label12", L"6.14.10.5072"},
    {L"Label13", L"atipdsxx.dll: "}, {L"Label14", L"6.14.10.5072"},
    {L"Label15", L"atipuixx.dll: "}, {L"Label16", L"6.14.10.5072"},
};

class BaselineWindow final : public FormWindow {
public:
    BaselineWindow() { LoadCommonControls(); }

    bool Load(HINSTANCE instance) {
        instance_ = instance;
        if (!CreateFormWindow(instance, kClassName, main_layout::kForm, kMainWindowStyle, 0, nullptr,
                              CreateMainMenu()))
            return false;
        CenterWindow(hwnd_, nullptr);
        SetWindowTextA(hwnd_, kCaption);
        for (const FixedText& fixed : kTexts) form_.SetText(fixed.label, fixed.text);
        form_.ShowFonts();
        return true;
    }

    void Show(int showCommand) const {
        ShowWindow(hwnd_, showCommand);
        UpdateWindow(hwnd_);
    }

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept override {
        if (message == WM_CREATE) {
            bigIcon_.reset(LoadAppIcon(instance_, SM_CXICON, SM_CYICON));
            smallIcon_.reset(LoadAppIcon(instance_, SM_CXSMICON, SM_CYSMICON));
            SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
            SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
        }
        if (message == WM_COMMAND && (LOWORD(wParam) == main_layout::kClose ||
                                      LOWORD(wParam) == main_layout::kMenuFileExit)) {
            DestroyWindow(hwnd_);
            return 0;
        }
        return FormWindow::Dispatch(message, wParam, lParam);
    }

    HINSTANCE instance_ = nullptr;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
};

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    BaselineWindow window;
    if (!window.Load(instance)) return 1;
    window.Show(showCommand);
    RunUntilDestroyed(window.Handle());
    return 0;
}
