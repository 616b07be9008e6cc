#!/usr/bin/env bash
# The program itself in a Wine virtual desktop on an Xvfb server of its own (X11 driver),
# driven through the X server by xdotool: the Properties bar floated by a drag of its
# caption over the design view, the caption's bars menu opened by a right click and
# closed by Esc, by a click on the status bar or by a choice, then a double click on the
# caption. The floating frame must still be on top after the menu (the screen shows it as
# before) and the double click must dock the bar again; a frame that went behind the main
# window lets the double click reach the design view, which opens its Options sheet.
# Usage: floating_caption_screen.sh <build directory>
# Exit code 77 (reported as skipped) where Xvfb, xdotool or ImageMagick is missing.
set -u
BUILD="$(cd "$1" && pwd)"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
for tool in Xvfb xdotool import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done
export STICKWELL_BUILD_DIR="$BUILD"
export WINEPREFIX_OVERRIDE="$BUILD/wineprefix-desktop"
source "$HERE/../../scripts/wineenv.sh"
start_x11_prefix
# the default layout and no tip of the day at the start
"$WINE" reg delete 'HKCU\Software\Quorvane\Stickwell' /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Quorvane\Stickwell\Options' /v ShowTip /t REG_DWORD /d 0 /f >/dev/null 2>&1
"$WINESERVER" -w >/dev/null 2>&1 || true

WORK="$BUILD/floating_caption_screen"
rm -rf "$WORK"
mkdir -p "$WORK"
exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 >/dev/null 2>&1 &
XVFB=$!
exec 3>&-
for ((i = 0; i < 100; i++)); do
    [ -s "$WORK/display" ] && break
    sleep 0.1
done
if [ ! -s "$WORK/display" ]; then
    kill "$XVFB" 2>/dev/null
    echo "skipped: no X server could be started"
    exit 77
fi
export DISPLAY=":$(cat "$WORK/display")"
cleanup() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    kill "$XVFB" 2>/dev/null || true
}
trap cleanup EXIT

sample="Z:$BUILD/Samples/Party Flyer.labf"
"$WINE" explorer /desktop=FloatingCaption,1024x768 "$BUILD/Stickwell.exe" "${sample//\//\\}" &

# The pixels of a screen rectangle (W H X Y) as a hash.
region() {
    import -window root "$WORK/shot.png" 2>/dev/null || return 1
    convert "$WORK/shot.png" -crop "${1}x${2}+${3}+${4}" +repage rgb:- 2>/dev/null | md5sum | cut -c1-32
}
# Waits until the command succeeds, at most $1 tenths of a second.
wait_for() {
    local limit=$1
    shift
    for ((n = 0; n < limit; n++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
fail() {
    import -window root "$WORK/failed.png" 2>/dev/null
    [ -f "$WORK/docked.png" ] && cp "$WORK/docked.png" "$WORK/failed-docked-reference.png"
    echo "FAILED: $* (screen in $WORK/failed.png)"
    exit 1
}
# The screen is still: three reads of the whole screen alike over most of a second. Two
# reads in a row could both fall into one stall of a busy program halfway through a paint,
# and a half-painted screen taken as the docked one is never seen again.
still() {
    local a b c
    a=$(region 1024 768 0 0) && sleep 0.4 && b=$(region 1024 768 0 0) && [ "$a" = "$b" ] &&
        sleep 0.4 && c=$(region 1024 768 0 0) && [ "$b" = "$c" ]
}

# The main window takes 14/15 of the desktop, centred; the Properties bar is docked at its
# right edge, its caption at the top of the bar. The strips compared lie below the
# captions, whose colours follow the focus.
DOCKED_CAPTION="780 97"
DOCKED_STRIP="220 120 735 120"
wait_for 600 bash -c "xdotool search --name 'Stickwell' >/dev/null 2>&1" || fail "no main window"
wait_for 300 still || fail "the screen never settled after the start"
docked=$(region $DOCKED_STRIP)
cp "$WORK/shot.png" "$WORK/docked.png"

# the floating frame keeps the cursor's offset in its caption
CAPTION="400 300"
FRAME_STRIP="200 80 410 365"
MENU_STRIP="100 60 410 310"
changed() { [ "$(region $DOCKED_STRIP)" != "$docked" ]; }
menu_open() { [ "$(region $MENU_STRIP)" != "$before_menu" ]; }
# the menu's strip changed: a highlight moved, or the menu closed
menu_closed() { [ "$(region $MENU_STRIP)" != "$with_menu" ]; }
redocked() { [ "$(region $DOCKED_STRIP)" = "$docked" ]; }
# the ways the menu closes; the choice (the third item, the Actions bar at the bottom)
# comes last, since it changes the layout
for way in Esc "a click on the status bar" "a choice"; do
    # float: the caption dragged over the design view
    xdotool mousemove $DOCKED_CAPTION mousedown 1 mousemove 770 110 mousemove 600 200 \
        mousemove $CAPTION mouseup 1
    wait_for 100 changed || fail "$way: the Properties bar did not float"
    wait_for 100 still || fail "$way: the screen never settled after the float"
    floating=$(region $FRAME_STRIP)

    # the bars menu by a right click on the caption, then closed
    before_menu=$(region $MENU_STRIP)
    xdotool mousemove $CAPTION click 3
    wait_for 100 menu_open || fail "$way: no menu at a right click on the floating caption"
    wait_for 100 still || fail "$way: the screen never settled with the menu open"
    with_menu=$(region $MENU_STRIP)
    case "$way" in
    Esc) xdotool key Escape ;;
    "a click on the status bar") xdotool mousemove 300 717 click 1 ;;
    *)
        # one key at a time, each shown before the next
        for key in Down Down Down; do
            xdotool key $key
            wait_for 100 menu_closed || fail "$way: $key did not move the highlight"
            with_menu=$(region $MENU_STRIP)
        done
        xdotool key Return
        ;;
    esac
    wait_for 100 menu_closed || fail "$way: the menu did not close"
    wait_for 100 still || fail "$way: the screen never settled after the menu"
    [ "$(region $FRAME_STRIP)" = "$floating" ] ||
        fail "$way: the floating frame is gone from the screen after the menu"

    # a double click on the caption docks the bar again
    xdotool mousemove $CAPTION click --repeat 2 --delay 40 1
    wait_for 100 redocked || fail "$way: a double click on the floating caption did not dock the bar"
done
echo "passed"
exit 0
