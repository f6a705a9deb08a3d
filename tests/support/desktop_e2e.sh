# Sourced by the desktop end-to-end scripts: the program under test, a
# scratch folder with private data and config folders (never the real
# home), the virtual display, and the helpers that start qmsim, wait for its
# windows, press keys, take screenshots and read their pixels. Usage:
# SCRIPT QMSIM; start_display skips the test (exit 77) where Xvfb or an X
# tool is missing.
set -u

skip=77
qmsim=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/qm_e2e.XXXXXX")
# Drill histories and the controls go to private folders, never the real home.
export XDG_DATA_HOME="$work/data"
export XDG_CONFIG_HOME="$work/config"
xvfb_pid=""
qmsim_pid=""

cleanup() {
    [ -n "$qmsim_pid" ] && kill -9 "$qmsim_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# QM_E2E_KEEP=DIR keeps the screenshots there.
keep_shots() {
    if [ -d "$work/shots" ] && [ -n "${QM_E2E_KEEP:-}" ]; then
        mkdir -p "$QM_E2E_KEEP" && cp "$work"/shots/*.png "$QM_E2E_KEEP"/ 2>/dev/null
        echo "screenshots kept in $QM_E2E_KEEP" >&2
    fi
}

fail() {
    echo "FAIL: $*" >&2
    keep_shots
    exit 1
}

# Starts the virtual display qmsim runs on.
start_display() {
    for tool in Xvfb xdotool xwd xwininfo convert compare identify; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed (tools/ensure_deps.sh installs it)"
            exit $skip
        fi
    done

    . "$(dirname "$0")/../support/xvfb.sh"
    start_xvfb 800x600x24
    unset WAYLAND_DISPLAY SDL_VIDEODRIVER
    export SDL_RENDER_DRIVER=software
    # Under AddressSanitizer, leaks are left to the unit tests: the X, D-Bus and
    # driver libraries SDL loads keep allocations of their own past exit.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
    mkdir -p "$work/shots"
}

# --- Helpers -------------------------------------------------------------------
# A busy X server now and then drops a new connection; every X tool gets a few
# tries.
x() {
    tries=0
    until "$@"; do
        tries=$((tries + 1))
        [ $tries -ge 5 ] && return 1
        sleep 0.1
    done
}

# A 1-bit map, 800 by 800: the lowest 700 rows terrain (palette index 0), the
# top 100 empty (index 1).
write_map() {
    {
        printf 'BM\276\070\001\000\000\000\000\000\076\000\000\000'
        printf '\050\000\000\000\040\003\000\000\040\003\000\000\001\000\001\000'
        printf '\000\000\000\000\200\070\001\000\023\013\000\000\023\013\000\000'
        printf '\002\000\000\000\000\000\000\000'
        printf '\000\000\000\000\377\377\377\000'
        head -c 70000 /dev/zero
        head -c 10000 /dev/zero | tr '\000' '\377'
    } >"$1"
}

# start_qmsim DIR [OPTION...]: runs qmsim in DIR with the options.
start_qmsim() {
    dir=$1
    shift
    (cd "$dir" && exec "$qmsim" "$@" >"$work/qmsim.out" 2>"$work/qmsim.err") &
    qmsim_pid=$!
}

# Succeeds when qmsim's stderr holds exactly this one line (nothing at all
# when it is empty).
stderr_is() {
    if [ -n "$1" ]; then printf '%s\n' "$1"; fi | cmp -s - "$work/qmsim.err"
}

# Waits up to 10 s for the program to end; its exit code is in $rc. The
# second argument is the one line expected on stderr, if any.
wait_exit() {
    i=0
    while kill -0 "$qmsim_pid" 2>/dev/null; do
        [ $i -ge 100 ] && fail "$1: qmsim did not end"
        sleep 0.1
        i=$((i + 1))
    done
    wait "$qmsim_pid"
    rc=$?
    qmsim_pid=""
    stderr_is "${2:-}" || fail "$1: expected on stderr '${2:-}', got: $(cat "$work/qmsim.err")"
}

# Fails, with what qmsim said, once it has ended early.
running() {
    kill -0 "$qmsim_pid" 2>/dev/null && return
    wait "$qmsim_pid"
    rc=$?
    qmsim_pid=""
    fail "qmsim ended $1 (exit code $rc, stderr: $(cat "$work/qmsim.err"))"
}

# Succeeds when a window with exactly this title is mapped.
visible() {
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

# Waits up to 10 s for a window to be mapped; its id is then in $window.
wait_visible() {
    i=0
    while ! visible "$1"; do
        running "before '$1' showed"
        [ $i -ge 100 ] && fail "'$1' did not show"
        sleep 0.1
        i=$((i + 1))
    done
    window=$(x xdotool search --onlyvisible --name "^$1\$" | head -n 1)
}

# Waits up to 10 s for the message box (a top-level window that xdotool's
# search does not list); its id is then in $window.
wait_message_box() {
    i=0
    window=""
    while [ -z "$window" ]; do
        running "before its message box showed"
        [ $i -ge 100 ] && fail "no message box '$1'"
        sleep 0.1
        i=$((i + 1))
        window=$(x xwininfo -root -children | sed -n "s/^ *\(0x[0-9a-f]*\) \"$1\".*/\1/p" | head -n 1)
    done
}

# Top-left corner of a window, as "X Y".
window_origin() {
    x xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p'
}

shot() {
    x xwd -root -silent -out "$work/shot.xwd" || fail "screenshot $1"
    convert "xwd:$work/shot.xwd" "$work/shots/$1.png" || fail "screenshot $1"
}

# The colour of one pixel of a screenshot, as RRGGBB.
pixel() {
    convert "$work/shots/$1.png" -format "%[hex:p{$2,$3}]" info: | cut -c1-6
}

# How many pixels of a region (WxH+X+Y) have the colour RRGGBB.
count_colour() {
    convert "$work/shots/$1.png" -crop "$2" +repage -fill black +opaque "#$3" -fill white -opaque "#$3" \
        -format "%[fx:round(mean*w*h)]" info:
}

# Takes screenshot $1 until at least $4 pixels of the region $2 have the
# colour $3, for up to 10 s: a busy machine draws the first frames late. The
# last count is in $count.
shot_until() {
    i=0
    while :; do
        shot "$1"
        count=$(count_colour "$1" "$2" "$3")
        [ "$count" -ge "$4" ] && return 0
        [ $i -ge 20 ] && return 1
        sleep 0.5
        i=$((i + 1))
    done
}

# The left edge of the pixels of colour RRGGBB in a screenshot.
left_edge() {
    convert "$work/shots/$1.png" -fill black +opaque "#$2" -trim -format "%X" info: | tr -d '+'
}

# How many pixels two screenshots differ in.
difference() {
    compare -metric AE "$work/shots/$1.png" "$work/shots/$2.png" null: 2>&1 | cut -d' ' -f1
}

# The dialog's controls, in pixels from its top-left corner (dialog units
# times 2.25 across and 2 down).
MAP_LIST_X=138
MAP_LIST_Y=172
SECOND_ENTRY_X=200
SECOND_ENTRY_Y=206
RADIO_16_BIT_X=44
RADIO_16_BIT_Y=78
HOVER_COLOUR=A6BEDE
DIALOG="Quillmar Simulator Config"
MAIN="QM Simulator"

click_in() {
    set -- $(window_origin "$1") "$2" "$3"
    x xdotool mousemove $(($1 + $3)) $(($2 + $4)) click 1
}
