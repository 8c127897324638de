#include "ui/clipboard.h"

#include "ui/ansi_text.h"

#include <cstring>

namespace {

constexpr int kOpenTries = 10;
constexpr DWORD kOpenRetryMs = 50;

bool OpenClipboardFor(HWND owner) {
    for (int tries = 0; tries < kOpenTries; ++tries) {
        if (OpenClipboard(owner)) return true;
        Sleep(kOpenRetryMs);
    }
    return false;
}

// Hands a copy of `length` bytes to the clipboard, which owns it once that succeeded.
bool SetClipboardBytes(UINT format, const void* bytes, std::size_t length) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, length);
    if (!memory) return false;
    void* copy = GlobalLock(memory);
    if (!copy) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(copy, bytes, length);
    GlobalUnlock(memory);
    if (SetClipboardData(format, memory)) return true;
    GlobalFree(memory);
    return false;
}

} // namespace

bool PutTextOnClipboard(HWND owner, const std::wstring& text) {
    const std::string ansi = ToAnsi(text);
    if (!OpenClipboardFor(owner)) return false;
    const bool put = EmptyClipboard() &&
                     SetClipboardBytes(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)) &&
                     SetClipboardBytes(CF_TEXT, ansi.c_str(), ansi.size() + 1);
    CloseClipboard();
    return put;
}
