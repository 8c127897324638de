#pragma once
// Real mouse and keyboard input for the windows of another process, as a user gives it, sent
// only once the window can take it.

#include <windows.h>

#include <initializer_list>

inline constexpr DWORD kWaitTimeoutMs = 10000;

// Looks at `condition` every 20 ms until it holds; false if it did not within 10 seconds.
template <typename Condition>
bool WaitUntil(Condition condition) {
    const ULONGLONG end = GetTickCount64() + kWaitTimeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
    return true;
}

// Waits until a window of another process can take input: its program waits for input with
// none pending, and one of that program's windows is in the foreground, so no activation is
// still on its way. False if that did not happen within 10 seconds.
bool WaitUntilReadyForInput(HWND window);

// Clicks the middle of `target` with the left button, once its program waits for input and
// the middle of `target` is what Windows finds at that point (for a control of a disabled
// window: that window). False, and nothing sent, if that did not happen within 10 seconds.
[[nodiscard]] bool ClickWithMouse(HWND target);

// Presses the keys down in order and lets them go in reverse order ({VK_CONTROL, 'C'} is
// Ctrl+C), once `target` is ready for input and has the keyboard focus. False, and nothing
// sent, if that did not happen within 10 seconds.
[[nodiscard]] bool PressKeys(HWND target, std::initializer_list<WORD> keys);

// Counts the keys other than Ctrl, Shift and Alt that the program of `window` takes from its
// message queue while this lives, through a keyboard hook on that program's thread.
class KeyWitness {
public:
    explicit KeyWitness(HWND window);
    ~KeyWitness();
    KeyWitness(const KeyWitness&) = delete;
    KeyWitness& operator=(const KeyWitness&) = delete;

    // The keys taken so far; -1 if the hook could not be set.
    int Taken();

private:
    HANDLE semaphore_{};
    HMODULE dll_{};
    HHOOK hook_{};
    int taken_{0};
};
