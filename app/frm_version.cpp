#include "app/frm_version.h"

#include "about/frm_about.h"
#include "app/main_layout.h"
#include "app/program_version.h"
#include "app/report_lines.h"
#include "probe/probe_win.h"
#include "release/release_lookup.h"
#include "resources/resource_ids.h"
#include "settings/font_override.h"
#include "ui/window.h"

#include <commctrl.h>

namespace {

constexpr wchar_t kClassName[] = L"OrvelQuillonVersion";
// A fixed single border with a title bar, system menu and minimize button; never resized.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;

HMENU CreateMainMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU help = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, main_layout::kMenuFileExit, L"E&xit");
    AppendMenuW(help, MF_STRING, main_layout::kMenuHelpAbout, L"A&bout");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"Help");
    return bar;
}

HICON LoadAppIcon(HINSTANCE instance, int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QUILLON_ICON_GROUP), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY), 0));
}

} // namespace

FrmVersion::FrmVersion() { InitCommonControls(); }

FrmVersion::~FrmVersion() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool FrmVersion::Load(HINSTANCE instance) {
    instance_ = instance;
    if (!RegisterWindowClass(instance, kClassName, WindowProc)) return false;
    const SIZE size = FormWindowSize(main_layout::kForm, kStyle, kExStyle, true);
    const std::wstring caption(main_layout::kForm.caption);
    CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    size.cx, size.cy, nullptr, CreateMainMenu(), instance, this);
    if (!hwnd_) return false;
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

LRESULT CALLBACK FrmVersion::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FrmVersion*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FrmVersion*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->Dispatch(message, wParam, lParam);
}

LRESULT FrmVersion::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_CREATE:
        return MsgCreate() ? 0 : -1;
    case WM_COMMAND:
        MsgCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(
            form_.ColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(form_.WindowFont());
    case WM_SETFOCUS:
        MsgSetFocus();
        return 0;
    case WM_DESTROY:
        MsgDestroy();
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool FrmVersion::MsgCreate() {
    bigIcon_.reset(LoadAppIcon(instance_, SM_CXICON, SM_CYICON));
    smallIcon_.reset(LoadAppIcon(instance_, SM_CXSMICON, SM_CYSMICON));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    return form_.Create(hwnd_, main_layout::kForm);
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
    case IDOK:
        PressFocusedButton(hwnd_);
        break;
    }
}

void FrmVersion::MsgSetFocus() const {
    if (HWND close = form_.Control(L"cmdClose")) SetFocus(close);
}

void FrmVersion::MsgDestroy() {
    form_.Destroy();
    bigIcon_.reset();
    smallIcon_.reset();
}
