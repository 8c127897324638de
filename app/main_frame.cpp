#include "app/main_frame.h"

#include "app/main_layout.h"
#include "resources/resource_ids.h"

HMENU CreateMainMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU help = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, main_layout::kMenuFileExit, "E&xit");
    AppendMenuA(help, MF_STRING, main_layout::kMenuHelpAbout, "A&bout");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "Help");
    return bar;
}

HICON LoadAppIcon(HINSTANCE instance, int metricX, int metricY) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(QUILLON_ICON_GROUP), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY), 0));
}
