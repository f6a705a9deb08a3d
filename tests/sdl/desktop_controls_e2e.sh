#!/bin/sh
# qmsim's controls end to end on a virtual X display (Xvfb, 800 by 600):
#   - the first frames say "F1: controls and help", for two seconds, and
#     not with --quiet-start;
#   - the mouse wheel turned up ten notches raises the power, turned down
#     ten brings it back; with no controls file, Page Up, =, Page Down and
#     - held each change it;
#   - F1 shows the help over the frame and Esc closes it; K opens the
#     controls screen, and Esc closes it.
# Usage: desktop_controls_e2e.sh QMSIM. Exit code 77 (skipped) when Xvfb or
# one of the X tools is not there.
set -u
. "$(dirname "$0")/../support/desktop_e2e.sh"
start_display
mkdir -p "$work/map_run"

# --- The help's word, the wheel, the help and the controls screen -----------------
start_qmsim "$work/map_run" --mode windowed --wind fixed:0:0
wait_visible "$MAIN"
hint=200x16+30+574
shot_until hint_shown $hint FFFFFF 100 || fail "the first frames do not say where the help is ($count white pixels)"
sleep 3
shot hint_gone
[ "$(count_colour hint_gone $hint FFFFFF)" -eq 0 ] || fail "the help's word stays after two seconds"
x xdotool key Escape
wait_exit "the help's word"

start_qmsim "$work/map_run" --mode windowed --wind fixed:0:0 --quiet-start
wait_visible "$MAIN"
sleep 3
shot wheel_before
[ "$(count_colour wheel_before $hint FFFFFF)" -eq 0 ] || fail "--quiet-start still says where the help is"
# The aim line, "ang: 50  pow: 2.50" at (100, 550).
aim_line=300x16+100+550
aim_text() { convert "$work/shots/$1.png" -crop $aim_line +repage txt:- | md5sum; }
x xdotool mousemove 400 300
for notch in 1 2 3 4 5 6 7 8 9 10; do x xdotool click 4; done
sleep 0.5
shot wheel_up
[ "$(aim_text wheel_before)" != "$(aim_text wheel_up)" ] || fail "the wheel turned up does not change the power"
for notch in 1 2 3 4 5 6 7 8 9 10; do x xdotool click 5; done
sleep 0.5
shot wheel_down
[ "$(aim_text wheel_before)" = "$(aim_text wheel_down)" ] || fail "the wheel turned back does not bring the power back"
# A keyboard without a keypad, each key held a moment.
for key in Prior equal Next minus; do
  shot "before_$key"
  x xdotool keydown "$key"
  sleep 0.3
  x xdotool keyup "$key"
  sleep 0.3
  shot "after_$key"
  [ "$(aim_text "before_$key")" != "$(aim_text "after_$key")" ] || fail "$key does not change the power without a controls file"
done
x xdotool key F1
sleep 0.5
shot help
[ "$(count_colour help 700x300+30+30 FFFFFF)" -gt 100000 ] || fail "F1 shows no help over the frame"
x xdotool key Escape
sleep 0.5
running "after Esc closed the help"
x xdotool key k
sleep 0.5
shot controls_screen
[ "$(count_colour controls_screen 700x300+30+30 FFFFFF)" -gt 100000 ] || fail "K shows no controls screen"
x xdotool key Escape
sleep 0.5
running "after Esc closed the controls screen"
x xdotool key Escape
wait_exit "wheel and help"
[ "$rc" -eq 0 ] || fail "wheel and help: exit code $rc"
echo "ok: the help's word, the wheel and the laptop's keys move the power, F1 shows the help, K the controls screen"

keep_shots
