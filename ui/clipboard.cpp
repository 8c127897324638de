#include "ui/clipboard.h"

#include "ui/ansi_text.h"

#include <cstring>

namespace {

// Another program holds the clipboard only for moments, but a clipboard manager or a remote
// desktop's clipboard sync opens it right after every change, and may open it again at a steady
// pace. Waits that double (10, 20, 40 ... 640 ms, 1.27 s in all) fall out of step with any such
// pace, so one of the tries finds the clipboard free.
constexpr DWORD kFirstWaitMs = 10;
constexpr DWORD kLastWaitMs = 640;

bool OpenClipboardFor(HWND owner) {
    for (DWORD wait = kFirstWaitMs;; wait *= 2) {
        if (OpenClipboard(owner)) return true;
        if (wait > kLastWaitMs) return false;
        Sleep(wait);
    }
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
