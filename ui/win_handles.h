#pragma once
// Owners for the Windows handles the program holds: each closes its handle exactly once. And
// the one process setting the program changes for a while, put back the same way.

#include <windows.h>

#include <utility>

// Traits: `Handle`, `static Handle Invalid()` and `static void Close(Handle)`.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Traits::Invalid()));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }
    void reset(Handle handle = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) Traits::Close(handle_);
        handle_ = handle;
    }
    // The handle, no longer owned: for a close whose result counts.
    Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    // For functions that hand out a handle through a pointer; closes the one held.
    Handle* put() {
        reset();
        return &handle_;
    }

private:
    Handle handle_{Traits::Invalid()};
};

template <typename H, auto CloseFunction>
struct NullInvalidTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { CloseFunction(handle); }
};

template <auto CloseFunction>
struct MinusOneInvalidTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseFunction(handle); }
};

using UniqueFont = UniqueHandle<NullInvalidTraits<HFONT, DeleteObject>>;
using UniqueBrush = UniqueHandle<NullInvalidTraits<HBRUSH, DeleteObject>>;
using UniqueIcon = UniqueHandle<NullInvalidTraits<HICON, DestroyIcon>>;
using UniqueKey = UniqueHandle<NullInvalidTraits<HKEY, RegCloseKey>>;
using UniqueModule = UniqueHandle<NullInvalidTraits<HMODULE, FreeLibrary>>;
using UniqueFind = UniqueHandle<MinusOneInvalidTraits<FindClose>>;
using UniqueFile = UniqueHandle<MinusOneInvalidTraits<CloseHandle>>;

// While it lives, a drive that is not ready or a module that cannot be loaded makes the call
// fail quietly instead of asking the user to insert a disk or find a file. The program has one
// thread, so the process-wide mode is as good as a thread's own; the previous mode comes back.
class QuietErrorMode {
public:
    QuietErrorMode() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~QuietErrorMode() { SetErrorMode(previous_); }
    QuietErrorMode(const QuietErrorMode&) = delete;
    QuietErrorMode& operator=(const QuietErrorMode&) = delete;

private:
    UINT previous_;
};
