// Orvel Quillon: names the installed ATI Catalyst release from the versions of its files.

#include "app/frm_version.h"
#include "ui/window.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    FrmVersion frmVersion;
    if (!frmVersion.Load(instance)) return 1;
    frmVersion.Show(showCommand);
    RunUntilDestroyed(frmVersion.Handle());
    return 0;
}
