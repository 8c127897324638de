# Shared by scripts/run, scripts/test and scripts/bench. Source this file.

set -euo pipefail
QUILLON_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
QUILLON_BUILD="$QUILLON_ROOT/build"

# Debian packages the project needs, and a command each provides.
QUILLON_PACKAGES=(
    "g++-mingw-w64-i686-win32:i686-w64-mingw32-g++-win32"
    "g++-mingw-w64-i686-posix:i686-w64-mingw32-g++-posix"
    "mingw-w64-tools:i686-w64-mingw32-pkg-config"
    "wine:wine"
    "wine32:i386:/usr/lib/wine/wine"
    "wine64:/usr/lib/wine/wine64" # 64-bit Windows: the tests under WOW64, or the 64-bit build
    "fonts-wine:/usr/share/wine/fonts/ms_sans_serif.ttf"
    "xvfb:Xvfb"
    "cmake:cmake"
    "g++:g++"
    "googletest:/usr/src/googletest/CMakeLists.txt"
    "python3:python3"
)
# What the Windows-side tests need on a machine that cannot run 32-bit programs.
QUILLON_WIN64_PACKAGES=(
    "g++-mingw-w64-x86-64-posix:x86_64-w64-mingw32-g++-posix"
)

have() { # command or file
    if [[ "$1" == /* ]]; then [[ -e "$1" ]]; else command -v "$1" >/dev/null 2>&1; fi
}

# Installs whatever is missing of the packages named (default: the build's) through apt when
# run as root; otherwise says exactly what to install.
ensure_packages() { # [package:probe ...]
    local missing=() entry package probe
    (($# > 0)) || set -- "${QUILLON_PACKAGES[@]}"
    for entry in "$@"; do
        package="${entry%:*}"
        probe="${entry##*:}"
        have "$probe" || missing+=("$package")
    done
    ((${#missing[@]} == 0)) && return 0
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them as root with:" >&2
        echo "  dpkg --add-architecture i386 && apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures (once) and builds one preset.
build_preset() { # preset
    cd "$QUILLON_ROOT"
    if [[ ! -f "build/$1/CMakeCache.txt" ]]; then
        cmake --preset "$1" >/dev/null
    fi
    cmake --build --preset "$1" -j"$(nproc)"
}
