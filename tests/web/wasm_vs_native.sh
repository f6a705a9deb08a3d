#!/bin/sh
# The WebAssembly build against the native one, under node:
#   - the frame test's scripted round (every frame summed, plain and with the
#     practice aids made ready) gives the same lines;
#   - the headless runner gives the same state lines, standard error, exit
#     code and frames for two shots (with the prediction, the power finder
#     and a pan between them) on every sample map under several winds, and
#     for a drill with the largest seed, and for refused options and script
#     lines; the committed challenge codes give their committed state lines;
#   - the shot chart asked for on two threads (WebAssembly under node has
#     none, and works on one) gives the same picture and rule of thumb.
# Usage: wasm_vs_native.sh NATIVE_QMSIM WASM_QMSIM_JS NATIVE_ROUND WASM_ROUND_JS MAPS_DIR
# Exit code 77 (skipped) where node or ImageMagick is missing.
set -u

skip=77
native=$1
wasm=$2
native_round=$3
wasm_round=$4
maps=$5
work=$(mktemp -d "${TMPDIR:-/tmp}/qm_wasm.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in node compare; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (tools/ensure_deps.sh installs it)"
        exit $skip
    fi
done
for file in "$native" "$wasm" "$native_round" "$wasm_round"; do
    [ -f "$file" ] || fail "$file is not built (make web builds the WebAssembly programs; make test does so first)"
done

"$native_round" >"$work/round.native" || fail "the native round failed"
node "$wasm_round" >"$work/round.wasm" || fail "the WebAssembly round failed"
cmp -s "$work/round.native" "$work/round.wasm" ||
    fail "the scripted round differs: $(diff "$work/round.native" "$work/round.wasm" | head -n 3)"
echo "ok: the scripted round's frames and bodies are the same"

# One script, run by both builds in folders of their own: FRAME is replaced
# by each build's folder.
cat >"$work/script.txt" <<'SCRIPT'
until rest
aim 55 1.2
face right
fire
tick 40
state
frame FRAME/flight1.png
until rest
state
down h
tick 8
state
up h
aim 40.5 2.05
face left
fire
until rest
state
frame FRAME/after2.png
rdown 400 300
move 300 280
tick 5
rup
tick 1
state
frame FRAME/panned.png
SCRIPT

runs=0
for map in "$maps"/*.bmp; do
    for wind in fixed:0:0 fixed:12:200 random:1; do
        for build in native wasm; do
            mkdir -p "$work/$build"
            sed "s#FRAME#$work/$build#" "$work/script.txt" >"$work/$build.txt"
            if [ "$build" = native ]; then
                "$native" --headless --map "$map" --wind "$wind" --script "$work/$build.txt" \
                    >"$work/$build.out" 2>"$work/$build.err"
            else
                node "$wasm" --headless --map "$map" --wind "$wind" --script "$work/$build.txt" \
                    >"$work/$build.out" 2>"$work/$build.err"
            fi
            echo $? >"$work/$build.status"
        done
        what="$(basename "$map") --wind $wind"
        [ "$(cat "$work/native.status")" = 0 ] || fail "$what: the native runner failed: $(cat "$work/native.err")"
        for part in out err status; do
            cmp -s "$work/native.$part" "$work/wasm.$part" ||
                fail "$what: the $part differs: $(diff "$work/native.$part" "$work/wasm.$part" | head -n 3 | cut -c 1-300)"
        done
        for frame in flight1 after2 panned; do
            differing=$(compare -metric AE "$work/native/$frame.png" "$work/wasm/$frame.png" null: 2>&1)
            [ "$differing" = "0" ] || fail "$what: frame $frame differs in $differing pixels"
        done
        runs=$((runs + 1))
    done
done
echo "ok: $runs rounds of two shots: the same state lines and frames"

# A drill: the same draws from the largest seed, which a 32-bit long (as in
# WebAssembly) cannot hold as a signed number.
printf 'until ready\nfire\nuntil ready\nstate\n' >"$work/drill.txt"
"$native" --headless --drill still --seed 4294967295 --script "$work/drill.txt" >"$work/native.out" 2>"$work/native.err"
echo $? >"$work/native.status"
node "$wasm" --headless --drill still --seed 4294967295 --script "$work/drill.txt" >"$work/wasm.out" 2>"$work/wasm.err"
echo $? >"$work/wasm.status"
[ "$(cat "$work/native.status")" = 0 ] || fail "the native drill failed: $(cat "$work/native.err")"
for part in out err status; do
    cmp -s "$work/native.$part" "$work/wasm.$part" ||
        fail "the drill with --seed 4294967295: the $part differs: $(diff "$work/native.$part" "$work/wasm.$part" | head -n 3 | cut -c 1-300)"
done
echo "ok: a drill from the largest seed gives the same state lines"

# The committed challenge codes: under node, the state lines committed with them.
codes="$(cd "$(dirname "$0")/../data" && pwd)/challenge_codes.txt"
printf 'until ready\nstate\nfire\nuntil ready\nstate\n' >"$work/challenge.txt"
for code in $(grep '^code ' "$codes" | cut -c6-); do
    grep -A2 "^code $code\$" "$codes" | tail -n 2 | cut -c7- >"$work/challenge.expected"
    node "$wasm" --headless --challenge "$code" --script "$work/challenge.txt" >"$work/challenge.wasm" 2>"$work/challenge.err" ||
        fail "the challenge $code failed under node: $(cat "$work/challenge.err")"
    cmp -s "$work/challenge.expected" "$work/challenge.wasm" ||
        fail "the challenge $code gives other state lines under node"
done
echo "ok: the committed challenge codes give their state lines"

# The chart: threads asked for where there are none.
"$native" chart --angle 40,70 --threads 2 --out "$work/native.png" >"$work/native.out" 2>&1 ||
    fail "the native chart failed: $(cat "$work/native.out")"
node "$wasm" chart --angle 40,70 --threads 2 --out "$work/wasm.png" >"$work/wasm.out" 2>&1 ||
    fail "the WebAssembly chart on two threads failed: $(head -n 3 "$work/wasm.out")"
for part in png out; do
    cmp -s "$work/native.$part" "$work/wasm.$part" || fail "the chart's $part differs"
done
echo "ok: the chart on two threads gives the same picture and rule of thumb"

# Refusals: the same reason and exit code.
printf 'tick 1\naim 95 1\n' >"$work/bad.txt"
for options in "--wind fixed:30:0" "--map $work/missing.bmp" "--script $work/bad.txt" "--bogus"; do
    # shellcheck disable=SC2086
    "$native" --headless $options </dev/null >"$work/native.out" 2>"$work/native.err"
    echo $? >"$work/native.status"
    # shellcheck disable=SC2086
    node "$wasm" --headless $options </dev/null >"$work/wasm.out" 2>"$work/wasm.err"
    echo $? >"$work/wasm.status"
    for part in out err status; do
        cmp -s "$work/native.$part" "$work/wasm.$part" ||
            fail "--headless $options: the $part differs: $(diff "$work/native.$part" "$work/wasm.$part" | head -n 3)"
    done
done
echo "ok: refused options and script lines give the same reasons and exit codes"
