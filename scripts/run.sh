#!/usr/bin/env bash
# Builds the program and starts it under Wine. Without a display it runs on a Wine
# virtual desktop in Xvfb and leaves a screenshot in build/screenshot.png once its
# windows are up.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
# A prefix of its own: the test prefix keeps the null display driver.
export WINEPREFIX_OVERRIDE="${STICKWELL_BUILD_DIR:-$ROOT/build}/wineprefix-run"
source "$ROOT/scripts/wineenv.sh"

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j"$BUILD_JOBS" --target Stickwell
ensure_prefix
set_graphics_driver x11

# Printer: with STICKWELL_PRINTER=pdf, setup.sh has added CUPS's PDF printer as the queue
# Stickwell_PDF; Wine shows CUPS queues to the program as printers.
if [ "${STICKWELL_PRINTER:-}" = "pdf" ]; then
    echo "printer: Stickwell_PDF (CUPS); printed pages land as PDF files in ~/PDF of the printing user"
fi
# The desktop process must start on the display the program uses.
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w

if [ -n "${DISPLAY:-}" ]; then
    exec "$WINE" "$BUILD_DIR/Stickwell.exe" "$@"
fi

# Without a display: a virtual desktop (windows get Wine's own title bars and caption
# buttons) in Xvfb. The screenshot is taken once windows show on the desktop and
# three pictures a second apart are the same, or after STICKWELL_RUN_SECONDS at the latest.
# Without arguments the picture shows a shipped sample with one of its elements clicked
# (selected, its handles drawn and its pages in the Properties bar).
export STICKWELL_RUN_SECONDS="${STICKWELL_RUN_SECONDS:-60}"
export SHOT="$BUILD_DIR/screenshot.png" WINE WINESERVER CLICK=""
if (($# == 0)); then
    sample="Z:$BUILD_DIR/Samples/Party Flyer.labf"
    set -- "${sample//\//\\}"
    CLICK="${STICKWELL_RUN_CLICK:-600 495}"
fi
# The element clicked, for the pictures of its Text page and its context menu.
export ELEMENT_AT="$CLICK"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$WINE" explorer /desktop=Stickwell,1280x1024 "$@" &
    pid=$!
    shot="$SHOT.part.png" last="" same=0
    for ((i = 0; i < STICKWELL_RUN_SECONDS; i++)); do
        sleep 1
        import -window root "$shot" 2>/dev/null || continue
        # the empty desktop is one colour; windows bring many
        colours=$(identify -format %k "$shot" 2>/dev/null || echo 0)
        sum=$(md5sum < "$shot")
        if [ "$colours" -gt 16 ] && [ "$sum" = "$last" ]; then
            same=$((same + 1))
            if ((same >= 2)) && [ -n "$CLICK" ]; then
                # the windows are up: select an element, then wait for the picture to settle
                xdotool mousemove $CLICK click 1 2>/dev/null || true
                CLICK="" same=0
                continue
            fi
            ((same < 2)) || break
        else
            same=0
        fi
        last=$sum
    done
    mv -f "$shot" "$SHOT"
    echo "screenshot: $SHOT (after $((i + 1)) s)"
    # The clicked element once more: the Properties bar on its Text page (a key typed on a
    # selected text opens it), then the context menu of a right click on the element.
    if [ -n "$ELEMENT_AT" ]; then
        dir=$(dirname "$SHOT")
        xdotool mousemove $ELEMENT_AT key x 2>/dev/null || true
        sleep 2
        import -window root "$dir/properties_text.png" 2>/dev/null \
            && echo "screenshot: $dir/properties_text.png"
        xdotool mousemove $ELEMENT_AT click 3 2>/dev/null || true
        sleep 2
        import -window root "$dir/context_menu.png" 2>/dev/null \
            && echo "screenshot: $dir/context_menu.png"
        xdotool key Escape 2>/dev/null || true
    fi
    "$WINESERVER" -k >/dev/null 2>&1 || true
    wait $pid 2>/dev/null || true
' bash "$BUILD_DIR/Stickwell.exe" "$@"
"$WINESERVER" -k >/dev/null 2>&1 || true
