# Sourced by the other scripts: the project's own throw-away Wine prefix.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${STICKWELL_BUILD_DIR:-$ROOT/build}"
# Parallel compile jobs: every core unless STICKWELL_JOBS says otherwise.
BUILD_JOBS="${STICKWELL_JOBS:-$(nproc)}"
export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$BUILD_DIR/wineprefix}"
export WINEDEBUG=-all
# No Mono or Gecko prompts; a crashing program ends instead of waiting in the debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export WINEARCH=win64
# Pinned locale: ANSI code page 1252.
export LANG=en_US.UTF-8 LC_ALL=C.UTF-8

# The launchers of Debian's wine package (scripts/setup.sh installs it).
WINE="$(command -v wine)" || { echo "wine is not installed: run scripts/setup.sh" >&2; return 1 2>/dev/null || exit 1; }
WINESERVER="$(command -v wineserver)" || { echo "wineserver is not installed: run scripts/setup.sh" >&2; return 1 2>/dev/null || exit 1; }

wine_reg() { "$WINE" reg add "$@" /f >/dev/null 2>&1; }

# Creates the prefix once; safe when several processes ask at the same time.
ensure_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.stickwell-ready" ]; then
            rm -rf "$WINEPREFIX"
            "$WINE" wineboot -i >/dev/null 2>&1 || true
            # No display needed: Wine's null graphics driver.
            wine_reg 'HKCU\Software\Wine\Drivers' /v Graphics /d null
            wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans"
            wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "Arial Narrow" /d "Liberation Sans Narrow"
            wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "Times New Roman" /d "Liberation Serif"
            wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /d "Liberation Mono"
            # Wine's own TrueType fonts (Tahoma, Marlett, ...) where the package left them aside.
            for f in /usr/share/wine/fonts/*.ttf; do
                [ -e "$f" ] && cp -n "$f" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
            done
            "$WINESERVER" -w
            touch "$WINEPREFIX/.stickwell-ready"
        fi
    ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
}

# The screen tests' prefix: made, Wine's X11 driver chosen, and no server of an earlier run
# left (its X display is gone).
start_x11_prefix() {
    ensure_prefix
    set_graphics_driver x11
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
}

# Graphics driver for a run: null for tests, X11 for real windows.
set_graphics_driver() {
    if [ "$1" = "x11" ]; then
        "$WINE" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
    else
        wine_reg 'HKCU\Software\Wine\Drivers' /v Graphics /d null
    fi
}
