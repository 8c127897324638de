// The program's memory, from the process heap. A request the heap cannot meet ends the program
// with kOutOfMemoryExitCode: there is no partial result to keep, since each is written whole.

#include "runtime/program_end.h"

#include <windows.h>

#include <new>

namespace {

void* Allocate(std::size_t size) noexcept {
    void* memory = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
    if (!memory) EndProgram(kOutOfMemoryExitCode);
    return memory;
}

void Free(void* memory) noexcept {
    if (memory) HeapFree(GetProcessHeap(), 0, memory);
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* memory) noexcept {
    Free(memory);
}
void operator delete[](void* memory) noexcept {
    Free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    Free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    Free(memory);
}
