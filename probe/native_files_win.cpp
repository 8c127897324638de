#include "probe/native_files_win.h"

#include "ui/system_function.h"

namespace {

// Windows 98, ME and 2000 and the first releases of XP have none of these, so they are looked up.
struct Wow64Functions {
    decltype(&Wow64DisableWow64FsRedirection) disable = nullptr;
    decltype(&Wow64RevertWow64FsRedirection) revert = nullptr;
};

// Both functions under WOW64, where Windows has them; none on 32-bit Windows.
const Wow64Functions& Wow64() {
    static bool asked = false;
    static Wow64Functions functions;
    if (!asked) {
        asked = true;
        BOOL underWow64 = FALSE;
        const auto isWow64Process = SystemFunction<decltype(&IsWow64Process)>("kernel32.dll", "IsWow64Process");
        if (isWow64Process && isWow64Process(GetCurrentProcess(), &underWow64) && underWow64) {
            const Wow64Functions found{
                SystemFunction<decltype(Wow64Functions::disable)>("kernel32.dll", "Wow64DisableWow64FsRedirection"),
                SystemFunction<decltype(Wow64Functions::revert)>("kernel32.dll", "Wow64RevertWow64FsRedirection")};
            if (found.disable && found.revert) functions = found;
        }
    }
    return functions;
}

} // namespace

bool SeesNativeFolders() { return Wow64().disable != nullptr; }

NativeFileSystem::NativeFileSystem() noexcept {
    if (const auto disable = Wow64().disable) turnedOff_ = disable(&previous_) != FALSE;
}

NativeFileSystem::~NativeFileSystem() {
    if (turnedOff_) Wow64().revert(previous_);
}
