# The sample installation: one complete Catalyst 3.10 in a Wine prefix, built from the test
# DLLs of a Windows build tree's fixtures folder. Source this file; it defines functions only.

# Puts the five driver files in the system folder, the three control-panel files under
# Program Files\ATI Technologies\ATI Control Panel, and the program in
# C:\Program Files\Orvel Quillon.
seed_sample_installation() { # prefix windows-build-dir
    local prefix="$1" tree="$2" fixtures="$2/fixtures" file
    local system32="$prefix/drive_c/windows/system32"
    local panel="$prefix/drive_c/Program Files/ATI Technologies/ATI Control Panel"
    local program="$prefix/drive_c/Program Files/Orvel Quillon"
    mkdir -p "$panel" "$program"
    for file in ati2dvag-6.14.10.6404 ati3d1ag-6.14.10.409 ati3d2ag-6.14.10.409 \
                atioglxx-6.14.10.4227 ati3duag-6.14.10.409; do
        cp "$fixtures/$file.dll" "$system32/${file%%-*}.dll"
    done
    for file in atippaxx-6.14.10.5072 atipdsxx-6.14.10.5072 atipuixx-6.14.10.5072; do
        cp "$fixtures/$file.dll" "$panel/${file%%-*}.dll"
    done
    cp "$tree/Orvel-Quillon.exe" "$program/"
}

# The sample's program, as Wine names it.
SAMPLE_PROGRAM='C:\Program Files\Orvel Quillon\Orvel-Quillon.exe'
