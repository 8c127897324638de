#pragma once
// The main window's frame: its style, menu bar and icons.

#include <windows.h>

// A fixed single border with a title bar, system menu and minimize button; never resized.
constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// File > Exit and Help > About; the window that takes it destroys it.
HMENU CreateMainMenu();

// The program's icon at the size of a system metric pair (SM_CXICON/SM_CYICON, ...); the caller
// destroys it. Null if the executable carries no icon.
HICON LoadAppIcon(HINSTANCE instance, int metricX, int metricY);
