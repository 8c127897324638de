#include "app/main_frame.h"

#include "app/main_layout.h"
#include "resources/resource_ids.h"

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
