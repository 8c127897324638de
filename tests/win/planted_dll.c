/* A DLL that the planted-DLL tests put where the program must never load it from, under the
 * names of system DLLs. Loaded, it appends its own path to C:\quillon-tests\planted.log; its
 * version functions fail, so a program that reads versions through it reads none. Those are
 * also what Wine's own user32 imports from version.dll, so a process can start with it. */

#include <windef.h>
#include <winbase.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        char line[MAX_PATH + 2];
        DWORD length = GetModuleFileNameA(self, line, MAX_PATH);
        line[length++] = '\r';
        line[length++] = '\n';
        HANDLE log = CreateFileA("C:\\quillon-tests\\planted.log", FILE_APPEND_DATA,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (log != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(log, line, length, &written, NULL);
            CloseHandle(log);
        }
    }
    return TRUE;
}

static BOOL Fail(void) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
}

__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR path, LPDWORD handle) {
    (void)path, (void)handle;
    return (DWORD)Fail();
}
__declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR path, LPDWORD handle) {
    (void)path, (void)handle;
    return (DWORD)Fail();
}
__declspec(dllexport) BOOL WINAPI GetFileVersionInfoA(LPCSTR path, DWORD handle, DWORD length, LPVOID data) {
    (void)path, (void)handle, (void)length, (void)data;
    return Fail();
}
__declspec(dllexport) BOOL WINAPI GetFileVersionInfoW(LPCWSTR path, DWORD handle, DWORD length, LPVOID data) {
    (void)path, (void)handle, (void)length, (void)data;
    return Fail();
}
__declspec(dllexport) BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR name, LPVOID* value, PUINT length) {
    (void)block, (void)name, (void)value, (void)length;
    return Fail();
}
__declspec(dllexport) BOOL WINAPI VerQueryValueW(LPCVOID block, LPCWSTR name, LPVOID* value, PUINT length) {
    (void)block, (void)name, (void)value, (void)length;
    return Fail();
}
/* What a program that imports the common controls calls first: it does nothing here, so such a
 * program goes on to show what it read through the other planted DLLs. */
__declspec(dllexport) void WINAPI InitCommonControls(void) {}
