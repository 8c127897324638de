#pragma once
// Looking at a window of the test's own process: fonts, rectangles and pixels on the screen.

#include "ui/layout.h"

#include <windows.h>

#include <string>

// The LOGFONT of the font a window answers WM_GETFONT with; face "<none>" when it has none.
LOGFONTW FontOf(HWND window);

// A child's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);

// How many pixels of the window's area on the screen have exactly `color`.
int CountScreenPixels(HWND window, COLORREF color);

// Handles the messages waiting for this thread, so windows paint and take focus.
void PumpMessages(DWORD forMs = 100);

// A settings file beside the test program for as long as it lives (none when `text` is null).
class ScopedSettings {
public:
    explicit ScopedSettings(const char* text);
    ~ScopedSettings();
    ScopedSettings(const ScopedSettings&) = delete;
    ScopedSettings& operator=(const ScopedSettings&) = delete;
    void Rewrite(const char* text) const;

private:
    std::wstring path_;
};
