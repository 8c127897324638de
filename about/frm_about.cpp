#include "about/frm_about.h"

#include "about/about_layout.h"
#include "about/mail_link.h"
#include "settings/font_override.h"
#include "ui/program_title.h"
#include "ui/window.h"

namespace {

constexpr char kClassName[] = "OrvelQuillonAbout";
// No title bar, a fixed dialog border; owned, so no taskbar button of its own.
constexpr DWORD kStyle = WS_POPUP | WS_DLGFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

} // namespace

bool FrmAbout::Load(HINSTANCE instance, HWND owner) {
    if (!CreateFormWindow(instance, kClassName, about_layout::kForm, kStyle, kExStyle, owner, nullptr))
        return false;
    CenterWindow(hwnd_, owner);
    LoadStep();
    form_.ShowFonts();
    return true;
}

void FrmAbout::LoadStep() {
    ApplyFont(form_);
    form_.SetText(L"lblVersion", ProgramTitle());
}

LRESULT FrmAbout::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
    case WM_COMMAND:
        MsgCommand(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_CLOSE:
        MsgClose();
        return 0;
    }
    return FormWindow::Dispatch(message, wParam, lParam);
}

void FrmAbout::MsgClose() const {
    // Alt+F4, or another program: closed as OK closes it, so the main window is active again.
    CloseModal(hwnd_);
}

void FrmAbout::MsgCommand(int id, int code) const {
    switch (id) {
    case about_layout::kOk:
        if (code == BN_CLICKED) CloseModal(hwnd_);
        break;
    case about_layout::kMail:
        if (code == STN_CLICKED) OpenMailLink(hwnd_, about_layout::kPrimaryMailLink);
        break;
    case about_layout::kMailS:
        if (code == STN_CLICKED) OpenMailLink(hwnd_, about_layout::kSecondaryMailLink);
        break;
    }
}

void ShowAbout(HINSTANCE instance, HWND owner) {
    FrmAbout frmAbout;
    if (!frmAbout.Load(instance, owner)) return;
    ShowModal(frmAbout.Handle(), owner);
}
