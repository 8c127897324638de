#include "probe/growing_buffer.h"
#include "probe/probe_win.h"
#include "ui/ansi_text.h"

namespace {
constexpr std::size_t kFirstCapacity = 255;
}

std::wstring SysDir() {
    return FromAnsi(ReadWithGrowingBuffer<char>(kFirstCapacity, [](char* buffer, std::size_t capacity) {
        return static_cast<std::size_t>(GetSystemDirectoryA(buffer, static_cast<UINT>(capacity)));
    }));
}
