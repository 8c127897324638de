# Wine for this project: a private prefix, a private Xvfb display and a persistent wineserver,
# so that programs start quickly and never touch the user's own ~/.wine or screen.
# Source this file; it defines functions only.

# Sets up the environment for a prefix of one architecture (win32 by default, or win64) and
# names its loader in QUILLON_WINE: run Windows programs as "$QUILLON_WINE" program.exe.
wine_env() { # prefix [arch]
    local arch="${2:-win32}"
    export WINEPREFIX="$1" WINEARCH="$arch" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ $arch == win64 ]]; then
        QUILLON_WINE=/usr/lib/wine/wine64
        export WINELOADER="$QUILLON_WINE"
    else
        QUILLON_WINE=wine
        unset WINELOADER
    fi
}

# True when this machine runs 32-bit x86 programs, and so 32-bit Wine. Some virtual machines
# cannot (their kernel runs without IA-32 emulation, and no 32-bit code segment exists).
wine32_runs() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Chooses the tree of Windows-side tests for this machine: win32-tests, against the shipped
# program, wherever 32-bit Wine runs; otherwise win64-tests, against a 64-bit build of the
# same sources under 64-bit Wine, and installs what that needs. QUILLON_WINE_TESTS, when set,
# makes the choice instead. Sets QUILLON_WINE_TESTS and QUILLON_WINE_ARCH.
choose_wine_tests() {
    if [[ -z "${QUILLON_WINE_TESTS:-}" ]]; then
        if wine32_runs; then QUILLON_WINE_TESTS=win32-tests; else QUILLON_WINE_TESTS=win64-tests; fi
    fi
    case "$QUILLON_WINE_TESTS" in
    win32-tests) QUILLON_WINE_ARCH=win32 ;;
    win64-tests)
        QUILLON_WINE_ARCH=win64
        if wine32_runs; then
            echo "QUILLON_WINE_TESTS=win64-tests: Wine runs a 64-bit build of the same sources in place" \
                 "of the shipped program." >&2
        else
            echo "This machine cannot run 32-bit programs: Wine runs a 64-bit build of the same sources" \
                 "in place of the shipped program." >&2
        fi
        ensure_packages "${QUILLON_WIN64_PACKAGES[@]}"
        ;;
    *) echo "QUILLON_WINE_TESTS must be win32-tests or win64-tests" >&2; return 1 ;;
    esac
}

# Starts what is missing of a session whose state lives in `dir`; safe to call concurrently.
# Afterwards DISPLAY names the session's display.
wine_session_ensure() { # prefix dir [arch]
    local prefix="$1" dir="$2"
    mkdir -p "$dir"
    echo "$prefix" >"$dir/prefix"
    wine_env "$prefix" "${3:-win32}"
    exec 9>"$dir/lock"
    flock 9
    if ! { [[ -s "$dir/xvfb.pid" ]] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; }; then
        rm -f "$dir/display"
        Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp 8>"$dir/display" >"$dir/xvfb.log" 2>&1 &
        echo $! >"$dir/xvfb.pid"
        local tries=0
        until [[ -s "$dir/display" ]]; do
            ((++tries > 200)) && { echo "Xvfb did not start; see $dir/xvfb.log" >&2; flock -u 9; return 1; }
            sleep 0.05
        done
    fi
    export DISPLAY=":$(tr -d '[:space:]' <"$dir/display")"
    # Everything started here outlives this call, so none of it may hold on to the caller's
    # output: a test runner would wait for it forever.
    if [[ ! -f "$prefix/system.reg" ]]; then
        "$QUILLON_WINE" wineboot -i </dev/null >"$dir/wineboot.log" 2>&1
        wineserver -w
    fi
    if wineserver -p </dev/null >/dev/null 2>&1; then
        # A fresh server: let the prefix's background services start detached from us too.
        "$QUILLON_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
    fi
    if [[ ! -f "$prefix/.quillon-ready" ]]; then
        # Wine as packaged does not pick up the fonts of fonts-wine by itself; in the prefix's
        # Fonts folder they stand in for the Windows fonts (MS Sans Serif, Tahoma, Marlett...).
        cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
        # Wine draws the title bars itself, so captions show without a window manager.
        "$QUILLON_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
        touch "$prefix/.quillon-ready"
    fi
    flock -u 9
    exec 9>&-
}

# Ends the session's wineserver (and with it every Wine program of the prefix) and its Xvfb.
wine_session_stop() { # prefix dir
    local prefix="$1" dir="$2"
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    if [[ -s "$dir/xvfb.pid" ]]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$dir/xvfb.pid" "$dir/display"
    fi
}
