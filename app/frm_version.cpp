#include "app/frm_version.h"

#include "about/frm_about.h"
#include "app/main_frame.h"
#include "app/main_layout.h"
#include "report/report_probe.h"
#include "settings/font_override.h"
#include "ui/ansi_text.h"
#include "ui/clipboard.h"
#include "ui/common_controls.h"
#include "ui/program_title.h"
#include "ui/window.h"

namespace {

constexpr char kClassName[] = "OrvelQuillonVersion";

} // namespace

FrmVersion::FrmVersion() { LoadCommonControls(); }

bool FrmVersion::Load(HINSTANCE instance) {
    instance_ = instance;
    accelerators_ = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(QUILLON_ACCELERATORS));
    if (!CreateFormWindow(instance, kClassName, main_layout::kForm, kMainWindowStyle, 0, nullptr,
                          CreateMainMenu()))
        return false;
    CenterWindow(hwnd_, nullptr);
    LoadStep();
    form_.ShowFonts();
    return true;
}

void FrmVersion::Show(int showCommand) const {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
}

void FrmVersion::LoadStep() {
    ApplyFont(form_);
    results_.caption = ProgramTitle();
    SetWindowTextA(hwnd_, ToAnsi(results_.caption).c_str());
    GetCatalystVersion();
    GetPanelVersion();
    FillFileLines();
}

void FrmVersion::GetCatalystVersion() {
    results_.catalystVersion = CatalystVersion();
    form_.SetText(L"Label17", results_.catalystVersion);
}

void FrmVersion::GetPanelVersion() {
    results_.panelVersion = PanelVersion();
    form_.SetText(L"Label18", results_.panelVersion);
}

void FrmVersion::FillFileLines() {
    const auto fileLines = FileLines();
    for (std::size_t line = 0; line < fileLines.size(); ++line) {
        form_.SetText(fileLines[line].captionLabel, std::wstring(fileLines[line].captionText));
        results_.fileVersions[line] = FileLineVersion(fileLines[line]);
        form_.SetText(fileLines[line].valueLabel, results_.fileVersions[line]);
    }
}

void FrmVersion::CopyReport() const noexcept {
    if (!PutTextOnClipboard(hwnd_, ReportText(results_))) MessageBeep(MB_ICONWARNING);
}

LRESULT FrmVersion::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_CREATE:
        MsgCreate();
        break;
    case WM_COMMAND:
        MsgCommand(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_DESTROY:
        MsgDestroy();
        break;
    }
    return FormWindow::Dispatch(message, wParam, lParam);
}

void FrmVersion::MsgCreate() {
    bigIcon_.reset(LoadAppIcon(instance_, SM_CXICON, SM_CYICON));
    smallIcon_.reset(LoadAppIcon(instance_, SM_CXSMICON, SM_CYSMICON));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void FrmVersion::MsgCommand(int id, int code) {
    switch (id) {
    case main_layout::kClose:
        if (code == BN_CLICKED) DestroyWindow(hwnd_);
        break;
    case main_layout::kMenuFileExit:
        DestroyWindow(hwnd_);
        break;
    case main_layout::kMenuHelpAbout:
        ShowAbout(instance_, hwnd_);
        break;
    case main_layout::kCopyReport:
        CopyReport();
        break;
    }
}

void FrmVersion::MsgDestroy() {
    bigIcon_.reset();
    smallIcon_.reset();
    // The program ends with its main window, however that goes: a close sent from another
    // program is handled inside GetMessage, after which nothing else may ever arrive, so the
    // message loops hear of it this way (About's passes it on).
    PostQuitMessage(0);
}
