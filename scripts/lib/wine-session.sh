# Wine for this project: a private prefix, a private Xvfb display and a persistent wineserver,
# so that programs start quickly and never touch the user's own ~/.wine or screen.
# Source this file; it defines functions only.

wine_env() { # prefix
    export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# Starts what is missing of a session whose state lives in `dir`; safe to call concurrently.
# Afterwards DISPLAY names the session's display.
wine_session_ensure() { # prefix dir
    local prefix="$1" dir="$2"
    mkdir -p "$dir"
    wine_env "$prefix"
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
        wineboot -i </dev/null >"$dir/wineboot.log" 2>&1
        wineserver -w
    fi
    if wineserver -p </dev/null >/dev/null 2>&1; then
        # A fresh server: let the prefix's background services start detached from us too.
        wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    fi
    if [[ ! -f "$prefix/.quillon-ready" ]]; then
        # Wine as packaged does not pick up the fonts of fonts-wine by itself; in the prefix's
        # Fonts folder they stand in for the Windows fonts (MS Sans Serif, Tahoma, Marlett...).
        cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
        # Wine draws the title bars itself, so captions show without a window manager.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
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
