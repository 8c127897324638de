// The memory and string functions that the compiler and the library's headers call. Byte by
// byte: the program's texts are short, and size matters more here than speed. This file is
// compiled so that the compiler never turns these loops back into calls to themselves.

#include <cstddef>

extern "C" {

void* memcpy(void* to, const void* from, std::size_t count) {
    auto* out = static_cast<unsigned char*>(to);
    const auto* in = static_cast<const unsigned char*>(from);
    while (count--)
        *out++ = *in++;
    return to;
}

void* memmove(void* to, const void* from, std::size_t count) {
    auto* out = static_cast<unsigned char*>(to);
    const auto* in = static_cast<const unsigned char*>(from);
    if (out <= in) {
        while (count--)
            *out++ = *in++;
    } else {
        while (count--)
            out[count] = in[count];
    }
    return to;
}

void* memset(void* to, int value, std::size_t count) {
    auto* out = static_cast<unsigned char*>(to);
    while (count--)
        *out++ = static_cast<unsigned char>(value);
    return to;
}

int memcmp(const void* a, const void* b, std::size_t count) {
    const auto* left = static_cast<const unsigned char*>(a);
    const auto* right = static_cast<const unsigned char*>(b);
    for (; count--; ++left, ++right)
        if (*left != *right) return *left < *right ? -1 : 1;
    return 0;
}

void* memchr(const void* in, int value, std::size_t count) {
    const auto* at = static_cast<const unsigned char*>(in);
    for (; count--; ++at)
        if (*at == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(at);
    return nullptr;
}

std::size_t strlen(const char* text) {
    std::size_t length = 0;
    while (text[length])
        ++length;
    return length;
}

wchar_t* wmemcpy(wchar_t* to, const wchar_t* from, std::size_t count) {
    return static_cast<wchar_t*>(memcpy(to, from, count * sizeof(wchar_t)));
}

wchar_t* wmemmove(wchar_t* to, const wchar_t* from, std::size_t count) {
    return static_cast<wchar_t*>(memmove(to, from, count * sizeof(wchar_t)));
}

wchar_t* wmemset(wchar_t* to, wchar_t value, std::size_t count) {
    for (std::size_t at = 0; at < count; ++at)
        to[at] = value;
    return to;
}

int wmemcmp(const wchar_t* a, const wchar_t* b, std::size_t count) {
    for (std::size_t at = 0; at < count; ++at)
        if (a[at] != b[at]) return a[at] < b[at] ? -1 : 1;
    return 0;
}

wchar_t* wmemchr(const wchar_t* in, wchar_t value, std::size_t count) {
    for (std::size_t at = 0; at < count; ++at)
        if (in[at] == value) return const_cast<wchar_t*>(in + at);
    return nullptr;
}

std::size_t wcslen(const wchar_t* text) {
    std::size_t count = 0;
    while (text[count])
        ++count;
    return count;
}

} // extern "C"
