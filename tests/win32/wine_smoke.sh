#!/bin/sh
# The Windows program under Wine, in a fresh prefix with Wine's virtual
# desktop (1024 by 768) on a virtual X display:
#   - the headless runner gives the same state and the same frame as the
#     Linux program for one scripted shot, and the committed challenge codes
#     (tests/data/challenge_codes.txt) give their committed state lines;
#   - the dialog comes up; Enter starts the flat map, the main window covers
#     the desktop and the stretched frame shows the wind dial's ring; a
#     right-button drag pans the view and holds the pointer; F fires a shot
#     that changes the picture; a drill from the menu (D, Enter), a shot, and
#     Esc leaves the drill for free practice, its abandoned line in the
#     history; Esc again ends the program with exit code 0;
#   - on the plain X display (without the virtual desktop, which offers
#     every size at 8, 16 and 32 bits per pixel; Xvfb offers only its own
#     mode) the 16-bit mode shows the error box "Unable to change
#     resolution." (its text on stderr too) and, once the box is closed,
#     ends the program with exit code 1.
# The 32-bit program is run the same way where 32-bit Wine can run.
# Usage: wine_smoke.sh QMSIM64.EXE DRIVER.EXE QMSIM32.EXE LINUX_QMSIM MAPS_DIR
# QM_WINE_SHOTS=DIR keeps the screenshots there as PNG. Exit code 77
# (skipped) only where Wine or the virtual display cannot run.
set -u

skip=77
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
qmsim64=$(absolute "$1")
driver=$(absolute "$2")
qmsim32=$(absolute "$3")
linux_qmsim=$(absolute "$4")
maps=$(absolute "$5")
wine_timeout=60
work=$(mktemp -d "${TMPDIR:-/tmp}/qm_wine.XXXXXX")
xvfb_pid=""
qmsim_pid=""

cleanup() {
    [ -n "$qmsim_pid" ] && kill -9 "$qmsim_pid" 2>/dev/null
    timeout 20 wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for file in "$qmsim64" "$driver" "$qmsim32"; do
    [ -f "$file" ] || fail "$file is not built (make windows builds it; make test does so first)"
done
for tool in wine wineserver Xvfb convert compare; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (tools/ensure_deps.sh installs it)"
        exit $skip
    fi
done

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY

. "$(dirname "$0")/../support/xvfb.sh"
start_xvfb 1280x1024x24

if ! timeout 180 wine wineboot -i >"$work/wineboot.log" 2>&1; then
    echo "SKIP: Wine cannot make a prefix here: $(tail -n 3 "$work/wineboot.log")"
    exit $skip
fi
# Without the virtual desktop, hiding the dialog stalls the program's timer
# and the 800 by 600 modes are refused. It is made when the Wine server
# starts, so the server is ended once the setting is changed.
virtual_desktop() {
    if [ "$1" = on ]; then
        timeout $wine_timeout wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
            timeout $wine_timeout wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
                >/dev/null 2>&1 || fail "cannot turn on Wine's virtual desktop"
    else
        timeout $wine_timeout wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 ||
            fail "cannot turn off Wine's virtual desktop"
    fi
    timeout 30 wineserver -w
}

windows_path() { echo "Z:$1" | tr '/' '\\'; }

start_qmsim() {
    (cd "$maps" && exec timeout $wine_timeout wine "$1" >"$work/qmsim.out" 2>"$work/qmsim.err") &
    qmsim_pid=$!
    # Let the program get going before the driver looks for its windows.
    sleep 0.5
}

wait_qmsim() {
    wait "$qmsim_pid"
    rc=$?
    qmsim_pid=""
    [ "$rc" -eq 124 ] && fail "$1: qmsim did not end within $wine_timeout s"
}

drive() {
    timeout $wine_timeout wine "$driver" "$@" >"$work/driver.out" 2>&1
    driver_rc=$?
    cat "$work/driver.out"
}

# --- Headless: the same numbers and pixels as on Linux ----------------------------
printf 'tick 10\ndown f\ntick 1\nup f\ntick 120\nstate\nframe %s\n' "$(windows_path "$work/windows.png")" \
    >"$work/script.txt"
(cd "$maps" && timeout $wine_timeout wine "$qmsim64" --headless --map hills.bmp --wind fixed:7:30 \
    <"$work/script.txt" | tr -d '\r' >"$work/windows.state") || fail "headless run under Wine failed"
sed "s#^frame .*#frame $work/linux.png#" "$work/script.txt" >"$work/linux_script.txt"
(cd "$maps" && "$linux_qmsim" --headless --map hills.bmp --wind fixed:7:30 <"$work/linux_script.txt" \
    >"$work/linux.state") || fail "headless run on Linux failed"
cmp -s "$work/windows.state" "$work/linux.state" || fail "the Windows program's state differs from Linux's"
differing=$(compare -metric AE "$work/windows.png" "$work/linux.png" null: 2>&1)
[ "$differing" = "0" ] || fail "the Windows program's frame differs from Linux's in $differing pixels"
echo "ok: headless state and frame as on Linux"

# The committed challenge codes: under Wine, the state lines committed with them.
codes="$(cd "$(dirname "$0")/../data" && pwd)/challenge_codes.txt"
printf 'until ready\nstate\nfire\nuntil ready\nstate\n' >"$work/challenge.txt"
for code in $(grep '^code ' "$codes" | cut -c6-); do
    grep -A2 "^code $code\$" "$codes" | tail -n 2 | cut -c7- >"$work/challenge.expected"
    timeout $wine_timeout wine "$qmsim64" --headless --challenge "$code" <"$work/challenge.txt" | tr -d '\r' \
        >"$work/challenge.windows" || fail "the challenge $code failed under Wine"
    cmp -s "$work/challenge.expected" "$work/challenge.windows" ||
        fail "the challenge $code gives other state lines under Wine"
done
echo "ok: the committed challenge codes give their state lines"

# The shot chart: the same picture, CSV and rule of thumb, byte for byte.
chart_args="chart --map hills.bmp --angle 40,65 --power 0.5:3.5:0.05 --winds 20:180,0:0,15:0"
(cd "$maps" && timeout $wine_timeout wine "$qmsim64" $chart_args --threads 2 --out "$work/w_chart.png" \
    --csv "$work/w_chart.csv" | tr -d '\r' >"$work/w_rule.txt") || fail "qmsim chart under Wine failed"
(cd "$maps" && "$linux_qmsim" $chart_args --threads 1 --out "$work/l_chart.png" --csv "$work/l_chart.csv" \
    >"$work/l_rule.txt") || fail "qmsim chart on Linux failed"
for part in chart.png chart.csv rule.txt; do
    cmp -s "$work/w_$part" "$work/l_$part" || fail "the Windows program's chart ($part) differs from Linux's"
done
echo "ok: shot chart as on Linux"

# --- The desktop program -----------------------------------------------------------
run_desktop() {
    program=$1
    label=$2
    virtual_desktop on
    start_qmsim "$program"
    drive flat "$(windows_path "$work/rest.bmp")" "$(windows_path "$work/flight.bmp")"
    [ "$driver_rc" -eq 0 ] || fail "$label: flat map run"
    wait_qmsim "$label flat run"
    [ "$rc" -eq 0 ] || fail "$label: flat run ended with exit code $rc: $(cat "$work/qmsim.err")"
    history=$(find "$WINEPREFIX" -name history.jsonl | head -n 1)
    [ -n "$history" ] && tail -n 1 "$history" | grep -q '"abandoned":true' ||
        fail "$label: the drill left with Esc wrote no abandoned line: $(tail -n 1 "$history" 2>/dev/null)"
    if [ -n "${QM_WINE_SHOTS:-}" ]; then
        mkdir -p "$QM_WINE_SHOTS"
        convert "$work/rest.bmp" "$QM_WINE_SHOTS/$label-rest.png"
        convert "$work/flight.bmp" "$QM_WINE_SHOTS/$label-flight.png"
    fi
    echo "ok: $label: Enter, the wind dial, the pan, F, Esc in a drill, Esc, exit code 0"

    virtual_desktop off
    start_qmsim "$program"
    drive refuse-16-bit
    [ "$driver_rc" -eq 0 ] || fail "$label: refused switch"
    wait_qmsim "$label refused switch"
    [ "$rc" -eq 1 ] || fail "$label: refused switch ended with exit code $rc, expected 1"
    grep -q "Unable to change resolution." "$work/qmsim.err" ||
        fail "$label: the refused switch's message is not on stderr: $(cat "$work/qmsim.err")"
    echo "ok: $label: the 16-bit mode is refused with its message, exit code 1"
}

run_desktop "$qmsim64" win64

# 32-bit Wine needs a kernel that runs 32-bit programs and Debian's wine32
# (an i386 package); where either is missing the 32-bit program is left out.
if [ -x /usr/lib/wine/wine ] && timeout 10 /usr/lib/wine/wine --version >/dev/null 2>&1; then
    run_desktop "$qmsim32" win32
else
    echo "note: the 32-bit program is not run: no 32-bit Wine here (wine32:i386 missing, or a kernel without 32-bit support)"
fi
