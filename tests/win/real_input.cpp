#include "real_input.h"

#include "test_support.h"

#include <vector>

namespace {

DWORD ThreadOf(HWND window) { return GetWindowThreadProcessId(window, nullptr); }

// The program has handled everything sent to it so far and sits in its message loop.
bool ProgramIsIdle(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process) return false;
    const DWORD idle = WaitForInputIdle(process, kWaitTimeoutMs);
    CloseHandle(process);
    return idle == 0;
}

POINT Middle(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A mouse event at a point of the primary screen, in the 0..65535 units of an absolute move.
INPUT MouseAt(POINT point, DWORD flags) {
    const auto normalized = [](LONG pixel, int metric) {
        const LONG size = GetSystemMetrics(metric);
        return static_cast<LONG>((static_cast<LONGLONG>(pixel) * 65536 + size - 1) / size);
    };
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalized(point.x, SM_CXSCREEN);
    input.mi.dy = normalized(point.y, SM_CYSCREEN);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT Key(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}

bool Send(std::vector<INPUT> inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

} // namespace

bool WaitUntilReadyForInput(HWND window) {
    return ProgramIsIdle(window) && WaitUntil([&] { return ThreadOf(GetForegroundWindow()) == ThreadOf(window); });
}

bool ClickWithMouse(HWND target) {
    // No foreground is needed: a click activates the window it lands on, as it does for a user.
    HWND root = GetAncestor(target, GA_ROOT);
    const auto found = [&] { return WindowFromPoint(Middle(target)) == (IsWindowEnabled(root) ? target : root); };
    if (!ProgramIsIdle(target) || !WaitUntil(found)) return false;
    // Every event carries the point. Under Wine the X server's pointer-enter event for a window
    // it has just mapped can still hold where the pointer was before the test moved it; when the
    // program handles that event, Windows' cursor goes back there, and a press sent "where the
    // cursor is" would land on whatever lies at the old place.
    const POINT middle = Middle(target);
    return Send({MouseAt(middle, 0), MouseAt(middle, MOUSEEVENTF_LEFTDOWN), MouseAt(middle, MOUSEEVENTF_LEFTUP)});
}

bool PressKeys(HWND target, std::initializer_list<WORD> keys) {
    const auto focused = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(ThreadOf(target), &info) && info.hwndFocus == target;
    };
    if (!WaitUntilReadyForInput(target) || !WaitUntil(focused)) return false;
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(Key(key, 0));
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) inputs.push_back(Key(*key, KEYEVENTF_KEYUP));
    return Send(inputs);
}

KeyWitness::KeyWitness(HWND window)
    : semaphore_(CreateSemaphoreW(nullptr, 0, 100000, L"quillon-key-witness")),
      dll_(LoadLibraryW((TestFolder() + L"\\key-witness.dll").c_str())) {
    const auto proc =
        dll_ ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll_, "KeyWitnessProc"))) : nullptr;
    if (semaphore_ && proc) hook_ = SetWindowsHookExW(WH_KEYBOARD, proc, dll_, ThreadOf(window));
}

KeyWitness::~KeyWitness() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (dll_) FreeLibrary(dll_);
    if (semaphore_) CloseHandle(semaphore_);
}

int KeyWitness::Taken() {
    if (!hook_) return -1;
    while (WaitForSingleObject(semaphore_, 0) == WAIT_OBJECT_0) ++taken_;
    return taken_;
}
