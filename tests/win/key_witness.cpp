// A keyboard hook the end-to-end tests set on the program's thread. Each key other than Ctrl,
// Shift and Alt that the program takes from its queue (not only peeks at) releases the
// semaphore "quillon-key-witness" once, so a test can tell a key that never arrived from a key
// the program took and then failed to act on.

#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK KeyWitnessProc(int code, WPARAM key, LPARAM flags) {
    const bool down = (flags & 0x80000000) == 0;
    if (code == HC_ACTION && down && key != VK_CONTROL && key != VK_SHIFT && key != VK_MENU) {
        if (HANDLE taken = OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, L"quillon-key-witness")) {
            ReleaseSemaphore(taken, 1, nullptr);
            CloseHandle(taken);
        }
    }
    return CallNextHookEx(nullptr, code, key, flags);
}
