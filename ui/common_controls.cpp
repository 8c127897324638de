#include "ui/common_controls.h"

#include "ui/system_function.h"

namespace {

// Windows XP and later: they read the program's manifest and keep the common controls' version 6
// in their side-by-side store.
bool HasSideBySideStore() {
    const DWORD version = GetVersion();
    const DWORD major = LOBYTE(LOWORD(version));
    const DWORD minor = HIBYTE(LOWORD(version));
    return IsWindowsNT() && (major > 5 || (major == 5 && minor >= 1));
}

} // namespace

void LoadCommonControls() noexcept {
    // The themes the controls load by name, which Windows does not protect as a KnownDLL. Once
    // it is loaded from the system folder, their load by name finds it loaded (none before XP).
    LoadSystemDll("uxtheme.dll");
    // By name on XP and later, where the manifest's version 6 comes from the side-by-side store
    // before any folder is searched; 98, ME and 2000 have only the system folder's.
    const HMODULE controls = HasSideBySideStore() ? LoadLibraryA("comctl32.dll") : LoadSystemDll("comctl32.dll");
    using InitCommonControlsFunction = void(WINAPI*)();
    if (const auto init = FunctionOf<InitCommonControlsFunction>(controls, "InitCommonControls")) init();
}
