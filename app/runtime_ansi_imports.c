/* The runtime linked into the program calls three wide functions of kernel32 by itself:
 *   CreateSemaphoreW  libgcc's win32 thread support, which its unwinder, its thread-local
 *                     emulation and the guard of every function-local static use, for
 *                     semaphores without a name;
 *   GetModuleHandleW  mingw-w64's rand_s and its locale helper (reached from swprintf), to find
 *   LoadLibraryW      a function in "advapi32.dll" or "msvcrt.dll".
 * Windows 98 and ME export all three only as stubs that fail. So the program answers these
 * calls itself: this file defines the import pointers that the runtime's objects call through,
 * and each points to a function here that makes the same call in its ANSI form. The runtime only
 * ever passes a null name or a plain ASCII one, which reads the same in every ANSI code page, so
 * the name is copied as it is; any other name fails the call as a missing module would. (The
 * program's own conversion is not used here: these calls can come from inside the unwinder,
 * where nothing may allocate or throw.)
 *
 * The linker takes a symbol from the first definition it meets, and the program's own objects
 * come before every library, so these pointers win over the import library's. That is also why
 * this must be an object of the executable: in a static library it would be looked at before
 * the runtime asks for these names, and never be pulled in. */

#include <windows.h>

#if defined(__i386__)
#define IMPORT_POINTER(function, argumentBytes) "__imp__" #function "@" #argumentBytes
#else
#define IMPORT_POINTER(function, argumentBytes) "__imp_" #function
#endif

/* The name in `ansi`, or null for null. A name the runtime does not pass (one longer than a path
 * or with a character outside ASCII, which is the same in every ANSI code page) fails, with
 * `error` as the last error. */
static BOOL ToAnsiName(const wchar_t* name, char ansi[MAX_PATH], const char** ansiName, DWORD error) {
    *ansiName = NULL;
    if (!name) return TRUE;
    for (int i = 0;; ++i) {
        if (i == MAX_PATH || name[i] > 0x7F) {
            SetLastError(error);
            return FALSE;
        }
        ansi[i] = (char)name[i];
        if (!name[i]) break;
    }
    *ansiName = ansi;
    return TRUE;
}

static HANDLE WINAPI AnsiCreateSemaphore(LPSECURITY_ATTRIBUTES attributes, LONG initialCount,
                                         LONG maximumCount, LPCWSTR name) {
    char ansi[MAX_PATH];
    const char* ansiName;
    return ToAnsiName(name, ansi, &ansiName, ERROR_INVALID_NAME)
               ? CreateSemaphoreA(attributes, initialCount, maximumCount, ansiName)
               : NULL;
}

static HMODULE WINAPI AnsiGetModuleHandle(LPCWSTR name) {
    char ansi[MAX_PATH];
    const char* ansiName;
    return ToAnsiName(name, ansi, &ansiName, ERROR_MOD_NOT_FOUND) ? GetModuleHandleA(ansiName) : NULL;
}

static HMODULE WINAPI AnsiLoadLibrary(LPCWSTR name) {
    char ansi[MAX_PATH];
    const char* ansiName;
    return ToAnsiName(name, ansi, &ansiName, ERROR_MOD_NOT_FOUND) ? LoadLibraryA(ansiName) : NULL;
}

HANDLE(WINAPI* const runtimeCreateSemaphoreW)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR)
    __asm__(IMPORT_POINTER(CreateSemaphoreW, 16)) = AnsiCreateSemaphore;
HMODULE(WINAPI* const runtimeGetModuleHandleW)(LPCWSTR) __asm__(IMPORT_POINTER(GetModuleHandleW, 4)) =
    AnsiGetModuleHandle;
HMODULE(WINAPI* const runtimeLoadLibraryW)(LPCWSTR) __asm__(IMPORT_POINTER(LoadLibraryW, 4)) = AnsiLoadLibrary;
