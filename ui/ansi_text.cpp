#include "ui/ansi_text.h"

#include <windows.h>

#include <climits>

std::string ToAnsi(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int wideCount = static_cast<int>(text.size());
    const int count = WideCharToMultiByte(CP_ACP, 0, text.data(), wideCount, nullptr, 0, nullptr, nullptr);
    if (count <= 0) return {};
    std::string ansi(static_cast<std::size_t>(count), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, text.data(), wideCount, ansi.data(), count, nullptr, nullptr) != count)
        return {};
    // A character the code page lacks comes out as '?' or as a look-alike ("a" for U+0101); either
    // way the text no longer comes back as it was. Asking for the default character instead would
    // miss the look-alikes, and Windows refuses that question when the code page is UTF-8.
    if (FromAnsi(ansi) != text) return {};
    return ansi;
}

std::wstring FromAnsi(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int ansiLength = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLength, nullptr, 0);
    if (count <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text.data(), ansiLength, wide.data(), count) != count) return {};
    return wide;
}
