#include "window_probe.h"

#include "test_support.h"
#include "ui/label_colour.h"

#include <map>
#include <vector>

LOGFONTW FontOf(HWND window) {
    LOGFONTW logFont{};
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!font || !GetObjectW(font, sizeof logFont, &logFont)) wcscpy(logFont.lfFaceName, L"<none>");
    return logFont;
}

RECT RectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

namespace {

// The window's area on the screen, row by row, each pixel as 0x00RRGGBB.
std::vector<std::uint32_t> ScreenPixels(HWND window, int rows = 0x7FFF) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = std::min<int>(rect.bottom - rect.top, rows);
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + width * height);
    for (std::uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

COLORREF AsColorRef(std::uint32_t pixel) {
    return RGB(pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

} // namespace

int CountScreenPixels(HWND window, COLORREF color, int rows) {
    int count = 0;
    for (std::uint32_t pixel : ScreenPixels(window, rows)) count += AsColorRef(pixel) == color;
    return count;
}

LabelPixels ScreenColours(HWND label) {
    std::map<std::uint32_t, int> counts;
    for (std::uint32_t pixel : ScreenPixels(label)) ++counts[pixel];
    // The face is the colour of most pixels; the text, the colour that stands out most from it,
    // of those that more than a stray pixel or two have (edges of smoothed text stand out less).
    std::uint32_t face = 0;
    int most = 0;
    for (const auto& [pixel, count] : counts)
        if (count > most) {
            face = pixel;
            most = count;
        }
    std::uint32_t text = face;
    for (const auto& [pixel, count] : counts)
        if (count >= 5 && ContrastRatio(AsColorRef(pixel), AsColorRef(face)) >
                              ContrastRatio(AsColorRef(text), AsColorRef(face)))
            text = pixel;
    return {AsColorRef(face), AsColorRef(text)};
}

ScopedSysColors::ScopedSysColors(std::initializer_list<std::pair<int, COLORREF>> colours) {
    std::vector<COLORREF> wanted;
    for (const auto& [element, colour] : colours) {
        elements_.push_back(element);
        before_.push_back(GetSysColor(element));
        wanted.push_back(colour);
    }
    SetSysColors(static_cast<int>(elements_.size()), elements_.data(), wanted.data());
}

ScopedSysColors::~ScopedSysColors() {
    SetSysColors(static_cast<int>(elements_.size()), elements_.data(), before_.data());
}

void PumpMessages(DWORD forMs) {
    const ULONGLONG end = GetTickCount64() + forMs;
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    } while (GetTickCount64() < end);
}

ScopedSettings::ScopedSettings(const char* text) : path_(TestFolder() + L"\\Orvel-Quillon.ini") {
    DeleteFileW(path_.c_str());
    if (text) Rewrite(text);
}

ScopedSettings::~ScopedSettings() { DeleteFileW(path_.c_str()); }

void ScopedSettings::Rewrite(const char* text) const { WriteBytes(path_, text); }
