#!/usr/bin/env bash
# make-help-pictures.sh - draws the pictures of the user guide (resources/help/images)
# with the program itself: builds it, starts it in Xvfb with Wine's X11 driver (each
# window an X window of its own, its frame drawn by Wine), drives it with xdotool and
# takes each window with ImageMagick. Commit what changes; the build only compiles them
# into the help file (scripts/make-help.sh) and needs no display.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
# A prefix of its own, with the X11 driver; the tests' prefix keeps the null driver.
export WINEPREFIX_OVERRIDE="${STICKWELL_BUILD_DIR:-$ROOT/build}/wineprefix-help"
source "$ROOT/scripts/wineenv.sh"
if [ -z "${STICKWELL_HELP_NO_BUILD:-}" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD_DIR" -j"$BUILD_JOBS" --target Stickwell
fi
ensure_prefix
set_graphics_driver x11
# Without a window manager Wine draws the captions and frames itself.
wine_reg 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N
# The same start every time: no tip of the day, no stored window placement.
"$WINE" reg delete 'HKCU\Software\Quorvane\Stickwell' /f >/dev/null 2>&1 || true
wine_reg 'HKCU\Software\Quorvane\Stickwell\Options' /v ShowTip /t REG_DWORD /d 0
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w

# the address list where a user might keep it: the same path in the picture on every machine
mkdir -p "$WINEPREFIX/drive_c/Labels"
cp "$BUILD_DIR/Samples/Addresses.csv" "$WINEPREFIX/drive_c/Labels/"
export OUT="$ROOT/resources/help/images" EXE="$BUILD_DIR/Stickwell.exe" SAMPLES="$BUILD_DIR/Samples"
export WINE WINESERVER
mkdir -p "$OUT"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -euo pipefail -c '
    winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
    # The X window of the visible window titled exactly $1 (30 s at most).
    window() { timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }
    # Waits until the screen shows the same picture twice, one second apart.
    settle() {
        local last="" now
        for _ in $(seq 1 20); do
            sleep 1
            now=$(import -window root rgb:- 2>/dev/null | md5sum)
            [ "$now" = "$last" ] && return 0
            last=$now
        done
    }
    # shot <window> <file> [geometry to crop]: the window as it is on the screen.
    shot() {
        settle
        if [ -n "${3:-}" ]; then
            import -window "$1" -crop "$3" +repage "$OUT/$2"
        else
            import -window "$1" "$OUT/$2"
        fi
        echo "picture: $OUT/$2"
    }
    start() {
        "$WINE" "$(winpath "$EXE")" "$@" >/dev/null 2>&1 &
    }
    stop() {
        "$WINESERVER" -k >/dev/null 2>&1 || true
        "$WINESERVER" -w
    }
    # Keys through the input of the X server, to the window that has the focus.
    key() {
        sleep 1
        xdotool key "$@"
    }
    # click <window> <x> <y> [button]: a click at a point of the window.
    click() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; }

    # The wizard, then the publication it makes: Print Options, Options, data source, PDF.
    start
    wizard=$(window "New Publication Options")
    shot "$wizard" wizard.png
    key Return
    main=$(window "Stickwell - \\[Untitled1\\]")
    settle
    key ctrl+p
    dlg=$(window "Print Options")
    shot "$dlg" print_options.png
    key Escape
    settle
    # Tools > Options through the menu keys
    key alt+t
    sleep 1
    key o
    dlg=$(window "Options")
    shot "$dlg" options.png
    key Escape
    settle
    # the PDF button of the Standard toolbar
    click "$main" 315 60
    dlg=$(window "PDF Options")
    shot "$dlg" pdf_options.png
    key Escape
    settle
    # File > Database Settings, for the sample address list
    key alt+f
    sleep 1
    key d
    dlg=$(window "Select Data Source")
    key End
    settle
    key Tab
    xdotool type "C:\\Labels\\Addresses.csv"
    shot "$dlg" data_source.png
    key Escape
    settle
    stop

    # The sample flyer: its headline selected, its Text page and its context menu.
    start "$(winpath "$SAMPLES/Party Flyer.labf")"
    main=$(window "Stickwell - \\[Party Flyer.labf\\]")
    settle
    click "$main" 577 477
    shot "$main" main_window.png
    key x
    shot "$main" properties_text.png 250x485+942+72
    # the menu of a right click, with the element around it: where the screen changed
    import -window root "$OUT/before.png"
    click "$main" 577 477 3
    settle
    import -window root "$OUT/after.png"
    read -r w h x y < <(convert "$OUT/after.png" "$OUT/before.png" -compose difference -composite \
        -threshold 0 -trim -format "%w %h %X %Y\n" info:)
    convert "$OUT/after.png" -crop "$((w + 200))x$((h + 50))+$((x - 180))+$((y - 30))" +repage \
        "$OUT/context_menu.png"
    rm -f "$OUT/before.png" "$OUT/after.png"
    echo "picture: $OUT/context_menu.png"
    xdotool key Escape
    stop

    # The sample address labels: their records in Data Entry.
    start "$(winpath "$SAMPLES/Address Labels.labf")"
    main=$(window "Stickwell - \\[Address Labels.labf\\]")
    settle
    key alt+f
    sleep 1
    key w
    dlg=$(window "Data Entry")
    shot "$dlg" data_entry.png
    key Escape
    settle
    stop
'
# The main window smaller: the help viewer's page shows it whole.
mogrify -resize 60% "$OUT/main_window.png"
# no dates in the files: a picture that did not change stays the same file
mogrify -strip -define png:exclude-chunks=date,time "$OUT"/*.png
"$WINESERVER" -k >/dev/null 2>&1 || true
