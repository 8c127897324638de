// The two windows built in this process from the program's own code, so their fonts, which
// another process cannot read under Wine, can be checked too.

#include "about/about_layout.h"
#include "about/frm_about.h"
#include "app/frm_version.h"
#include "app/main_layout.h"
#include "test_support.h"
#include "ui/label_colour.h"
#include "window_probe.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

std::unique_ptr<FrmVersion> LoadedMain() {
    auto main = std::make_unique<FrmVersion>();
    EXPECT_TRUE(main->Load(Instance()));
    return main;
}

void ExpectLaidOut(const Form& form, const FormSpec& layout) {
    RECT client{};
    GetClientRect(form.Window(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(layout.clientWidth, form.DpiX()));
    EXPECT_EQ(client.bottom, TwipsToPixels(layout.clientHeight, form.DpiY()));
    ASSERT_EQ(form.Controls().size(), layout.controls.size());
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        const PixelRect want = WindowPixelRect(layout.controls, i, form.DpiX(), form.DpiY());
        const RECT got = RectInParent(form.Controls()[i].hwnd);
        const std::wstring name(layout.controls[i].name);
        EXPECT_NEAR(got.left, want.left, 1) << name;
        EXPECT_NEAR(got.top, want.top, 1) << name;
        EXPECT_NEAR(got.right - got.left, want.width, 1) << name;
        EXPECT_NEAR(got.bottom - got.top, want.height, 1) << name;
    }
}

// The window's font and each control's font have the face given (for "<layout>", the face
// the layout gives each) and the size and weight of the layout.
void ExpectFonts(const Form& form, const std::wstring& face) {
    const std::wstring windowFace = face == L"<layout>" ? std::wstring(kSansSerif.face) : face;
    EXPECT_EQ(std::wstring(FontOf(form.Window()).lfFaceName), windowFace) << "window";
    for (const FormControl& control : form.Controls()) {
        const std::wstring name(control.layout->name);
        if (!HasFont(control.layout->kind)) {
            EXPECT_EQ(std::wstring(FontOf(control.hwnd).lfFaceName), L"<none>") << name;
            continue;
        }
        const LOGFONTW font = FontOf(control.hwnd);
        const std::wstring expected = face == L"<layout>" ? std::wstring(control.layout->font.face) : face;
        EXPECT_EQ(std::wstring(font.lfFaceName), expected) << name;
        EXPECT_EQ(font.lfHeight, FontHeightPixels(control.layout->font, form.DpiY())) << name;
        EXPECT_EQ(font.lfWeight, control.layout->font.weight) << name;
        EXPECT_FALSE(font.lfItalic || font.lfUnderline) << name;
    }
}

TEST(MainWindow, ControlsSitWhereTheLayoutPutsThem) {
    const ScopedSettings settings("[FONT]\r\nName=Default\r\n");
    auto main = LoadedMain();
    ExpectLaidOut(main->Controls(), main_layout::kForm);
    // Minimizing and restoring changes nothing.
    ShowWindow(main->Handle(), SW_MINIMIZE);
    ShowWindow(main->Handle(), SW_RESTORE);
    PumpMessages();
    ExpectLaidOut(main->Controls(), main_layout::kForm);
}

TEST(MainWindow, ControlsAreTheStandardKinds) {
    auto main = LoadedMain();
    for (const FormControl& control : main->Controls().Controls()) {
        const std::wstring name(control.layout->name);
        wchar_t cls[32] = {};
        GetClassNameW(control.hwnd, cls, 32);
        const LONG style = GetWindowLongW(control.hwnd, GWL_STYLE);
        EXPECT_EQ((style & WS_TABSTOP) != 0, control.layout->kind == ControlKind::Button) << name;
        EXPECT_EQ(style & WS_BORDER, 0) << name;
        switch (control.layout->kind) {
        case ControlKind::Frame:
            EXPECT_EQ(lstrcmpiW(cls, L"Button"), 0) << name;
            EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX) << name;
            break;
        case ControlKind::Button:
            EXPECT_EQ(lstrcmpiW(cls, L"Button"), 0) << name;
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << name; // not the default button
            break;
        default:
            EXPECT_EQ(lstrcmpiW(cls, L"Static"), 0) << name;
            EXPECT_EQ(style & SS_TYPEMASK,
                      control.layout->align == TextAlign::Center ? SS_CENTER : SS_LEFTNOWORDWRAP)
                << name;
        }
    }
    EXPECT_EQ(GetWindowTextLengthW(main->Controls().Control(L"Frame2")), 16);
    wchar_t text[32] = {};
    GetWindowTextW(main->Controls().Control(L"Frame3"), text, 32);
    EXPECT_STREQ(text, L"Control Panel Version");
}

TEST(MainWindow, HasAFixedBorderAndNoMaximize) {
    auto main = LoadedMain();
    const LONG style = GetWindowLongW(main->Handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & WS_VISIBLE, 0) << "shown only after loading";
}

TEST(MainWindow, OpensCentredOnTheScreen) {
    auto main = LoadedMain();
    RECT window{};
    GetWindowRect(main->Handle(), &window);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(window.left - work.left, work.right - window.right, 1);
    EXPECT_NEAR(window.top - work.top, work.bottom - window.bottom, 1);
}

TEST(MainWindow, MenuBarHasFileExitAndHelpAbout) {
    auto main = LoadedMain();
    HMENU bar = GetMenu(main->Handle());
    ASSERT_TRUE(bar);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    wchar_t text[32] = {};
    GetMenuStringW(bar, 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"File");
    GetMenuStringW(bar, 1, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Help");
    HMENU file = GetSubMenu(bar, 0);
    HMENU help = GetSubMenu(bar, 1);
    ASSERT_EQ(GetMenuItemCount(file), 1);
    ASSERT_EQ(GetMenuItemCount(help), 1);
    GetMenuStringW(file, 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"E&xit");
    GetMenuStringW(help, 0, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, L"A&bout");
    EXPECT_EQ(GetMenuState(file, 0, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED), 0u);
}

TEST(MainWindow, CloseHasTheFocusWhenShown) {
    auto main = LoadedMain();
    main->Show(SW_SHOW);
    SetForegroundWindow(main->Handle());
    PumpMessages();
    EXPECT_EQ(GetFocus(), main->Controls().Control(L"cmdClose"));
}

TEST(MainWindow, FileLinesAreBlueAndVerdictsAreNot) {
    const ScopedSettings settings("[FONT]\r\nName=Default\r\n");
    const ScopedFile driver = ScopedFile::CopyOf(L"ati2dvag-6.14.10.6404.dll", SystemFolder() + L"\\ati2dvag.dll");
    auto main = LoadedMain();
    main->Show(SW_SHOW);
    SetForegroundWindow(main->Handle());
    PumpMessages(300);
    const Form& form = main->Controls();
    constexpr COLORREF kPureBlue = RGB(0, 0, 255);
    EXPECT_GT(CountScreenPixels(form.Control(L"Label4"), kPureBlue), 10);
    EXPECT_GT(CountScreenPixels(form.Control(L"Label1"), kPureBlue), 10);
    EXPECT_EQ(CountScreenPixels(form.Control(L"Label5"), kPureBlue), 0) << "no text, no blue";
    EXPECT_EQ(CountScreenPixels(form.Control(L"Label17"), kPureBlue), 0);
    EXPECT_EQ(CountScreenPixels(form.Control(L"Label18"), kPureBlue), 0);
    EXPECT_GT(CountScreenPixels(form.Control(L"Label17"), GetSysColor(COLOR_BTNTEXT)), 10);
}

TEST(Fonts, DefaultKeepsTheLayoutFonts) {
    const ScopedSettings settings("[FONT]\r\nName=Default\r\n");
    auto main = LoadedMain();
    ExpectFonts(main->Controls(), L"MS Sans Serif");
    FrmAbout about;
    ASSERT_TRUE(about.Load(Instance(), main->Handle()));
    ExpectFonts(about.Controls(), L"<layout>");
    EXPECT_EQ(std::wstring(FontOf(about.Controls().Control(L"lblCopyright")).lfFaceName), L"Microsoft Sans Serif");
}

TEST(Fonts, ANamedFaceReachesEveryControlOfBothWindows) {
    const ScopedSettings settings("[FONT]\r\nName=Tahoma\r\n");
    auto main = LoadedMain();
    ExpectFonts(main->Controls(), L"Tahoma");
    FrmAbout about;
    ASSERT_TRUE(about.Load(Instance(), main->Handle()));
    ExpectFonts(about.Controls(), L"Tahoma");
}

TEST(Fonts, WithoutASettingsFileTheFaceIsTheDefaultName) {
    const ScopedSettings settings(nullptr);
    auto main = LoadedMain();
    ExpectFonts(main->Controls(), L"?");
}

TEST(Fonts, CaseMattersAndEmptyIsAName) {
    const ScopedSettings settings("[FONT]\r\nName=default\r\n");
    auto main = LoadedMain();
    ExpectFonts(main->Controls(), L"default");
    settings.Rewrite("[FONT]\r\nName=\r\n");
    FrmAbout about;
    ASSERT_TRUE(about.Load(Instance(), main->Handle()));
    ExpectFonts(about.Controls(), L"");
}

TEST(Fonts, ANameTooLongForAFontLeavesThePreviousFace) {
    const ScopedSettings settings("[FONT]\r\nName=An Extraordinarily Long Font Face Name That Fits Nothing\r\n");
    auto main = LoadedMain();
    ExpectFonts(main->Controls(), L"MS Sans Serif"); // the font object's first name
    settings.Rewrite("[FONT]\r\nName=Tahoma\r\n");
    {
        FrmAbout about;
        ASSERT_TRUE(about.Load(Instance(), main->Handle()));
        ExpectFonts(about.Controls(), L"Tahoma");
    }
    settings.Rewrite(("[FONT]\r\nName=" + std::string(254, 'x') + "\r\n").c_str());
    FrmAbout about;
    ASSERT_TRUE(about.Load(Instance(), main->Handle()));
    ExpectFonts(about.Controls(), L"Tahoma"); // the last name accepted
}

TEST(Fonts, AChangedFileReachesTheNextAboutWindowButNotTheMainWindow) {
    const ScopedSettings settings("[FONT]\r\nName=Tahoma\r\n");
    auto main = LoadedMain();
    settings.Rewrite("[FONT]\r\nName=Courier New\r\n");
    FrmAbout about;
    ASSERT_TRUE(about.Load(Instance(), main->Handle()));
    ExpectFonts(about.Controls(), L"Courier New");
    ExpectFonts(main->Controls(), L"Tahoma");
}

TEST(AboutWindow, IsLaidOutWithoutTitleBarOverItsOwner) {
    const ScopedSettings settings("[FONT]\r\nName=Default\r\n");
    auto main = LoadedMain();
    main->Show(SW_SHOW);
    FrmAbout about;
    ASSERT_TRUE(about.Load(Instance(), main->Handle()));
    ExpectLaidOut(about.Controls(), about_layout::kForm);
    const LONG style = GetWindowLongW(about.Handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_DLGFRAME) << "a dialog border without a title bar";
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(GetWindowLongW(about.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(GetWindow(about.Handle(), GW_OWNER), main->Handle());
    EXPECT_EQ(GetWindowTextLengthW(about.Handle()), 0);

    RECT owner{}, window{};
    GetWindowRect(main->Handle(), &owner);
    GetWindowRect(about.Handle(), &window);
    EXPECT_NEAR((owner.left + owner.right) / 2, (window.left + window.right) / 2, 1);
    EXPECT_NEAR((owner.top + owner.bottom) / 2, (window.top + window.bottom) / 2, 1);

    wchar_t text[64] = {};
    GetWindowTextW(about.Controls().Control(L"lblVersion"), text, 64);
    EXPECT_STREQ(text, L"Orvel Quillon 3.10");
    EXPECT_EQ(FontOf(about.Controls().Control(L"lblVersion")).lfWeight, FW_BOLD);
}

TEST(AboutWindow, LinesAndLinksAreDrawnInTheirColours) {
    const ScopedSettings settings("[FONT]\r\nName=Default\r\n");
    auto main = LoadedMain();
    main->Show(SW_SHOW);
    FrmAbout about;
    ASSERT_TRUE(about.Load(Instance(), main->Handle()));
    ShowWindow(about.Handle(), SW_SHOW);
    SetForegroundWindow(about.Handle());
    PumpMessages(300);
    for (const FormControl& control : about.Controls().Controls()) {
        if (control.layout->kind != ControlKind::Line) continue;
        const RECT rect = RectInParent(control.hwnd);
        EXPECT_EQ(rect.bottom - rect.top, 1);
        EXPECT_EQ(CountScreenPixels(control.hwnd, GetSysColor(COLOR_WINDOWTEXT)), rect.right - rect.left);
    }
    EXPECT_GT(CountScreenPixels(about.Controls().Control(L"lblMail"), RGB(0, 0, 255)), 10);
    EXPECT_GT(CountScreenPixels(about.Controls().Control(L"lblMailS"), RGB(0, 0, 255)), 10);
    EXPECT_EQ(CountScreenPixels(about.Controls().Control(L"lblVersion"), RGB(0, 0, 255)), 0);
    EXPECT_EQ(FontOf(about.Controls().Control(L"lblMail")).lfUnderline, 0);
    EXPECT_NE(GetWindowLongW(about.Controls().Control(L"lblMail"), GWL_STYLE) & SS_NOTIFY, 0);
}

// A dark high-contrast scheme as the Display control panel sets it: black faces, white text,
// yellow links. Wine cannot turn high contrast itself on, so only the colours change here.
ScopedSysColors HighContrastBlack() {
    return ScopedSysColors({{COLOR_BTNFACE, RGB(0, 0, 0)},
                            {COLOR_BTNTEXT, RGB(255, 255, 255)},
                            {COLOR_WINDOW, RGB(0, 0, 0)},
                            {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
                            {COLOR_HOTLIGHT, RGB(255, 255, 0)}});
}

// Shows the main window, with a version text in the file lines of files that are not there, and
// the About window beside it, so that no label of either hides behind the other.
[[nodiscard]] bool ShowBoth(FrmVersion& main, FrmAbout& about) {
    for (const FormControl& control : main.Controls().Controls())
        if (control.layout->kind == ControlKind::Label && GetWindowTextLengthW(control.hwnd) == 0)
            main.Controls().SetText(control.layout->name, L"6.14.10.6404");
    main.Show(SW_SHOW);
    if (!about.Load(Instance(), main.Handle())) return false;
    SetWindowPos(about.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(about.Handle(), SW_SHOW);
    PumpMessages(300);
    return true;
}

// The text of every label reads on its face, taken from the screen; links are in the scheme's
// link colour.
void ExpectLabelsRead(const Form& form) {
    for (const FormControl& control : form.Controls()) {
        if (control.layout->kind != ControlKind::Label) continue;
        const std::wstring name(control.layout->name);
        const LabelPixels pixels = ScreenColours(control.hwnd);
        ASSERT_NE(pixels.text, pixels.face) << name << " shows no text";
        EXPECT_GE(ContrastRatio(pixels.text, pixels.face), kReadableContrast) << name;
        if (control.layout->colour == TextColour::Link) {
            EXPECT_EQ(pixels.text, GetSysColor(COLOR_HOTLIGHT)) << name;
        }
    }
}

TEST(ColourSchemes, EveryLabelReadsInADarkSchemeSetBeforeTheStart) {
    const ScopedSettings settings("[FONT]\r\nName=Default\r\n");
    const ScopedSysColors scheme = HighContrastBlack();
    auto main = LoadedMain();
    FrmAbout about;
    ASSERT_TRUE(ShowBoth(*main, about));
    ExpectLabelsRead(main->Controls());
    ExpectLabelsRead(about.Controls());
}

TEST(ColourSchemes, BothWindowsRepaintInASchemeSwitchedWhileTheyAreOpen) {
    const ScopedSettings settings("[FONT]\r\nName=Default\r\n");
    auto main = LoadedMain();
    FrmAbout about;
    ASSERT_TRUE(ShowBoth(*main, about));
    HWND fileLine = main->Controls().Control(L"Label4");
    EXPECT_GT(CountScreenPixels(fileLine, RGB(0, 0, 255)), 10);
    {
        const ScopedSysColors scheme = HighContrastBlack();
        PumpMessages(300);
        ExpectLabelsRead(main->Controls());
        ExpectLabelsRead(about.Controls());
    }
    PumpMessages(300);
    EXPECT_GT(CountScreenPixels(fileLine, RGB(0, 0, 255)), 10) << "blue again in the default scheme";

    // A new scheme or high contrast turned on or off: each window has its labels painted afresh.
    const std::pair<UINT, WPARAM> changes[] = {{WM_SYSCOLORCHANGE, 0},
                                               {WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST}};
    for (const auto& [message, wParam] : changes)
        for (HWND label : {fileLine, about.Controls().Control(L"lblMail")}) {
            ASSERT_FALSE(GetUpdateRect(label, nullptr, FALSE)) << message;
            SendMessageW(GetParent(label), message, wParam, 0);
            EXPECT_TRUE(GetUpdateRect(label, nullptr, FALSE)) << message;
            PumpMessages();
        }
}

} // namespace
