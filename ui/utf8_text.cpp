#include "ui/utf8_text.h"

std::string Utf8Text(std::wstring_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(text[i]);
        const char32_t next = i + 1 < text.size() ? static_cast<char32_t>(text[i + 1]) : 0;
        if (c >= 0xD800 && c < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
            ++i;
        } else if ((c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
            c = 0xFFFD;
        }
        const int trailing = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
        utf8 += static_cast<char>(kLead[trailing] | (c >> (6 * trailing)));
        for (int shift = 6 * (trailing - 1); shift >= 0; shift -= 6)
            utf8 += static_cast<char>(0x80 | ((c >> shift) & 0x3F));
    }
    return utf8;
}
