// The memory and string functions that the compiler and the library's headers call where they
// do not inline them; a link that needs another names it. Byte by byte: the program's texts are
// short, and size matters more here than speed. This file is compiled so that the compiler never
// turns these loops back into calls to themselves.

#include <cstddef>

namespace {

// The characters before the terminating null.
template <typename Char>
std::size_t CountBeforeNull(const Char* text) {
    std::size_t count = 0;
    while (text[count])
        ++count;
    return count;
}

} // namespace

extern "C" {

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

int memcmp(const void* a, const void* b, std::size_t count) {
    const auto* left = static_cast<const unsigned char*>(a);
    const auto* right = static_cast<const unsigned char*>(b);
    for (; count--; ++left, ++right)
        if (*left != *right) return *left < *right ? -1 : 1;
    return 0;
}

std::size_t strlen(const char* text) {
    return CountBeforeNull(text);
}

std::size_t wcslen(const wchar_t* text) {
    return CountBeforeNull(text);
}

} // extern "C"
