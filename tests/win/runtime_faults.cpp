// A program on the program's own runtime that writes a line to standard output and then does
// what its one argument names: "index" reads past the end of a string, "length" asks a string
// for more than it can hold, "memory" asks for more memory than there is, "none" ends normally.
// runtime_faults.py sees how each ends.

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace {

void Write(std::string_view line) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()),
              &written, nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    const std::string_view fault = arguments;
    std::wstring text = L"abc";
    volatile std::size_t past = text.size() + 1; // not known to the compiler
    Write("before\n");
    if (fault == "index") Write(text[past] == L'x' ? "x\n" : "read\n");
    if (fault == "length") text.reserve(text.max_size() + past);
    if (fault == "memory")
        Write(::operator new(static_cast<std::size_t>(PTRDIFF_MAX) - past) ? "got\n" : "null\n");
    Write("after\n");
    return 0;
}
