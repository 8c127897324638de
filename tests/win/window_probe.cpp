#include "window_probe.h"

#include "test_support.h"

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

int CountScreenPixels(HWND window, COLORREF color) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return 0;
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
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const std::uint32_t wanted = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    int count = 0;
    for (int i = 0; i < width * height; ++i) count += (pixels[i] & 0xFFFFFF) == wanted;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return count;
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
