#pragma once
// Looking at a window of the test's own process: fonts, rectangles and pixels on the screen.

#include "ui/layout.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The LOGFONT of the font a window answers WM_GETFONT with; face "<none>" when it has none.
LOGFONTW FontOf(HWND window);

// A child's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);

// How many pixels of the window's area on the screen have exactly `color`.
int CountScreenPixels(HWND window, COLORREF color, int rows = 0x7FFF); // or of its top `rows`

// The colour most pixels of a label's area on the screen have (its face), and the colour of the
// label's text: of the others, the one that stands out most from the face. The text is the face
// where the label shows one colour only.
struct LabelPixels {
    COLORREF face;
    COLORREF text;
};
LabelPixels ScreenColours(HWND label);

// System colours set through SetSysColors, as the Display control panel sets a scheme, for as
// long as this lives: the process's windows are told, and the colours from before come back
// when it goes, also when the test fails. Processes started meanwhile see these colours too.
class ScopedSysColors {
public:
    explicit ScopedSysColors(std::initializer_list<std::pair<int, COLORREF>> colours);
    ~ScopedSysColors();
    ScopedSysColors(const ScopedSysColors&) = delete;
    ScopedSysColors& operator=(const ScopedSysColors&) = delete;

private:
    std::vector<int> elements_;
    std::vector<COLORREF> before_;
};

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
