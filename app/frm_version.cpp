#include "app/frm_version.h"

#include "about/frm_about.h"
#include "app/main_frame.h"
#include "app/main_layout.h"
#include "app/program_version.h"
#include "app/report_lines.h"
#include "probe/probe_win.h"
#include "release/release_lookup.h"
#include "settings/font_override.h"
#include "ui/window.h"

#include <commctrl.h>

namespace {

constexpr wchar_t kClassName[] = L"OrvelQuillonVersion";

} // namespace

FrmVersion::FrmVersion() { InitCommonControls(); }

bool FrmVersion::Load(HINSTANCE instance) {
    instance_ = instance;
    if (!CreateFormWindow(instance, kClassName, main_layout::kForm, kMainWindowStyle, 0, nullptr,
                          CreateMainMenu()))
        return false;
    CenterWindow(hwnd_, nullptr);
    try {
        LoadStep();
    } catch (...) {
        // Out of memory part-way: show the window with the lines filled so far.
    }
    return true;
}

void FrmVersion::Show(int showCommand) const {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
}

void FrmVersion::LoadStep() {
    ApplyFont(form_);
    SetWindowTextW(hwnd_, ProgramTitle().c_str());
    GetCatalystVersion();
    GetPanelVersion();
    FillFileLines();
}

void FrmVersion::GetCatalystVersion() const {
    // The file's version is read once and looked up in every row.
    const std::wstring versionText = GetVersionText(SysDir() + std::wstring(kDriverFileTail));
    form_.SetText(L"Label17", std::wstring(FindRelease(kDriverReleases, versionText, kDriverUnknown)));
}

void FrmVersion::GetPanelVersion() const {
    const std::wstring versionText = GetVersionText(LocateAtippaxx());
    form_.SetText(L"Label18", std::wstring(FindRelease(kPanelReleases, versionText, kPanelUnknown)));
}

void FrmVersion::FillFileLines() const {
    for (const FileLine& line : kFileLines) {
        form_.SetText(line.captionLabel, std::wstring(line.captionText));
        const std::wstring path = line.controlPanelFile
                                      ? LocateControlPanelFile(*line.controlPanelFile)
                                      : SysDir() + std::wstring(line.systemFolderTail);
        form_.SetText(line.valueLabel, GetVersionText(path));
    }
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
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
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
    }
}

void FrmVersion::MsgDestroy() {
    bigIcon_.reset();
    smallIcon_.reset();
}
