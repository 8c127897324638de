#include "remote_window.h"

#include <algorithm>

namespace {

constexpr UINT kTimeoutMs = 2000;

struct Search {
    DWORD processId; // 0: any process
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if ((search->processId == 0 || owner == search->processId) &&
        wcscmp(cls, search->className) == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindAnyOfProcess(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
    auto* result = reinterpret_cast<std::pair<HWND, std::vector<RemoteControl>*>*>(param);
    if (GetParent(child) != result->first) return TRUE;
    RemoteControl control{child, GetDlgCtrlID(child), {}, RemoteText(child), {},
                          GetWindowLongW(child, GWL_STYLE)};
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    control.className = cls;
    GetWindowRect(child, &control.rect);
    MapWindowPoints(nullptr, result->first, reinterpret_cast<POINT*>(&control.rect), 2);
    result->second->push_back(control);
    return TRUE;
}

HWND WaitFor(Search search, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    do {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    } while (GetTickCount64() < end);
    return nullptr;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

} // namespace

std::wstring RemoteText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kTimeoutMs, &copied))
        return {};
    text.resize(std::min<std::size_t>(copied, length));
    return text;
}

std::vector<RemoteControl> RemoteControls(HWND window) {
    std::vector<RemoteControl> controls;
    std::pair<HWND, std::vector<RemoteControl>*> param{window, &controls};
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&param));
    std::sort(controls.begin(), controls.end(),
              [](const RemoteControl& a, const RemoteControl& b) { return a.id < b.id; });
    return controls;
}

HWND WaitForVisibleWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
    return WaitFor({processId, className, nullptr}, timeoutMs);
}

HWND WaitForAnyVisibleWindow(const wchar_t* className, DWORD timeoutMs) {
    return WaitFor({0, className, nullptr}, timeoutMs);
}

HWND AnyWindowOf(DWORD processId) {
    Search search{processId, nullptr, nullptr};
    EnumWindows(FindAnyOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WaitUntilNoWindowOf(DWORD processId, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (AnyWindowOf(processId)) {
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
    return true;
}

std::wstring WindowReport(HWND window) {
    std::wstring report = RemoteText(window) + L"\n";
    const std::vector<RemoteControl> controls = RemoteControls(window);
    for (const RemoteControl& frame : controls) {
        if ((frame.style & BS_TYPEMASK) != BS_GROUPBOX || lstrcmpiW(frame.className.c_str(), L"Button") != 0) continue;
        report += L"\n" + frame.text + L"\n";
        std::vector<const RemoteControl*> inside;
        for (const RemoteControl& label : controls)
            if (lstrcmpiW(label.className.c_str(), L"Static") == 0 && Inside(label.rect, frame.rect)) inside.push_back(&label);
        std::sort(inside.begin(), inside.end(), [](auto* a, auto* b) {
            return a->rect.top != b->rect.top ? a->rect.top < b->rect.top : a->rect.left < b->rect.left;
        });
        for (std::size_t i = 0; i < inside.size(); ++i) {
            const bool rowStart = i == 0 || inside[i - 1]->rect.top != inside[i]->rect.top;
            report += (rowStart ? (i == 0 ? L"    " : L"\n    ") : L"") + inside[i]->text;
        }
        report += L"\n";
    }
    return report;
}
