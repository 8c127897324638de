#include "probe/growing_buffer.h"
#include "probe/probe_win.h"

namespace {
constexpr std::size_t kFirstCapacity = 255;
}

std::wstring SysDir() {
    return ReadWithGrowingBuffer(kFirstCapacity, [](wchar_t* buffer, std::size_t capacity) {
        return static_cast<std::size_t>(GetSystemDirectoryW(buffer, static_cast<UINT>(capacity)));
    });
}
