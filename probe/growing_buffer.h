#pragma once
// Reading a text from a Windows function that reports the size it needs when the buffer is
// too small, such as GetSystemDirectory.

#include <string>

// `read(buffer, capacity)` returns the count of characters written (without the terminating
// NUL) or, when `capacity` is too small, the capacity it needs (with the NUL); 0 on failure.
// The first call uses `firstCapacity`; a larger need is met once with a buffer of that size.
// Never returns a cut or unwritten text: on failure, or when the need keeps growing, empty.
template <typename Char = wchar_t, typename Read>
std::basic_string<Char> ReadWithGrowingBuffer(std::size_t firstCapacity, Read read) {
    std::basic_string<Char> buffer(firstCapacity, Char{' '});
    std::size_t count = read(buffer.data(), buffer.size());
    if (count >= buffer.size()) {
        buffer.assign(count, Char{' '});
        count = read(buffer.data(), buffer.size());
        if (count >= buffer.size()) return {};
    }
    buffer.resize(count);
    return buffer;
}
