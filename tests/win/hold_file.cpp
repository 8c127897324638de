// Holds a file open with no sharing, as another writer of a shared table does, for a while:
// prints "held" once it holds the file and "released" once it has let it go.
//   hold-file <path> <milliseconds>

#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
    CloseHandle(file);
    std::printf("released\n");
    std::fflush(stdout);
    return 0;
}
