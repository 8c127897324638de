// Times one start-up item of the program, once, in a process of its own, as the program meets
// it at start (scripts/bench runs it many times and takes the median):
//   quillon-startup-items ITEM     prints the time of ITEM in milliseconds
// ITEM is one of:
//   version-dll       VERSION.dll loaded by full path from the system folder
//   common-controls   the common controls and their themes loaded from the system, as the
//                     main window's object does before the window is made
//   settings          reading the font entry of the settings file beside the program
//   layout-fonts      the main window's two fonts in the layout's face, made and realized
//   configured-fonts  the same two fonts in the face the settings file names ("?" without one)
//   icon              the window's big and small icon loaded from the resources
//   accelerators      the main window's key table loaded from the resources
//   wow64-check       finding out whether the program runs under WOW64 (IsWow64Process, looked
//                     up), which the first file probe does
// Exit code 2 on a bad command line.

#include "app/main_frame.h"
#include "clock.h"
#include "probe/native_files_win.h"
#include "resources/resource_ids.h"
#include "settings/ini.h"
#include "ui/ansi_text.h"
#include "ui/common_controls.h"
#include "ui/layout.h"
#include "ui/system_function.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Makes the font and has GDI pick the face it stands for, as the first paint with it does.
void MakeAndRealize(HDC dc, const FontSpec& font, const std::wstring& face) {
    LOGFONTA logFont{};
    logFont.lfHeight = FontHeightPixels(font, GetDeviceCaps(dc, LOGPIXELSY));
    logFont.lfWeight = font.weight;
    logFont.lfCharSet = DEFAULT_CHARSET;
    strncpy(logFont.lfFaceName, ToAnsi(face).c_str(), LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectA(&logFont);
    HGDIOBJ old = SelectObject(dc, handle);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    DeleteObject(handle);
}

void Fonts(const std::wstring& face) {
    HDC dc = GetDC(nullptr);
    MakeAndRealize(dc, kSansSerif, face);
    MakeAndRealize(dc, kSansSerifBold, face);
    ReleaseDC(nullptr, dc);
}

// The face of the configured fonts is read before the timing starts.
bool RunItem(const std::wstring& item, const std::wstring& configuredFace) {
    if (item == L"version-dll") {
        LoadSystemDll("version.dll");
    } else if (item == L"common-controls") {
        LoadCommonControls();
    } else if (item == L"settings") {
        ReadINI(kSettingsFileName, L"FONT", L"Name", L"?");
    } else if (item == L"layout-fonts") {
        Fonts(std::wstring(kSansSerif.face));
    } else if (item == L"configured-fonts") {
        Fonts(configuredFace);
    } else if (item == L"icon") {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        DestroyIcon(LoadAppIcon(instance, SM_CXICON, SM_CYICON));
        DestroyIcon(LoadAppIcon(instance, SM_CXSMICON, SM_CYSMICON));
    } else if (item == L"accelerators") {
        LoadAcceleratorsA(GetModuleHandleW(nullptr), MAKEINTRESOURCEA(QUILLON_ACCELERATORS));
    } else if (item == L"wow64-check") {
        SeesNativeFolders();
    } else {
        return false;
    }
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring face = argc == 2 && std::wstring(argv[1]) == L"configured-fonts"
                                  ? ReadINI(kSettingsFileName, L"FONT", L"Name", L"?")
                                  : std::wstring();
    // By the time the program meets its items it has made its window: what the first window
    // of a process costs is not the items' own, so it is paid before the timing starts.
    DestroyWindow(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    const double start = NowMs();
    if (argc != 2 || !RunItem(argv[1], face)) {
        std::fputs("usage: quillon-startup-items version-dll|common-controls|settings|layout-fonts|configured-fonts|"
                   "icon|accelerators|wow64-check\n", stderr);
        return 2;
    }
    std::printf("%.3f\n", NowMs() - start);
    return 0;
}
