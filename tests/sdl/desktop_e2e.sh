#!/bin/sh
# qmsim end to end on a virtual X display (Xvfb, 800 by 600, software
# rendering so the pixels are the same everywhere):
#   - without a display it says so on one line and exits 1;
#   - the dialog lists the map of its folder; choosing it and pressing Enter
#     builds the terrain, which the main window then shows;
#   - Enter alone starts the flat map: the main window covers the screen,
#     the frame shows the wind dial and stays still at rest; a right-button
#     drag pans the view by twice its length and leaves the pointer where
#     it was pressed; F fires a shot that flies in later frames; Esc ends
#     the program with exit code 0;
#   - a refused switch to 16 bits per pixel shows its message in a box and
#     as one line on stderr and, once the box is closed, ends the program
#     with exit code 1;
#   - quick start (--map, --mode windowed, --wind) runs the round without the
#     dialog; H shows the power finder's line, G the aim chart, P holds a flying shot still
#     and lets it go on, T draws the shot's trace, F12 saves the frame under
#     screenshots/;
#   - --drill starts a drill without the dialog: its HUD line shows, a shot
#     ends its one round, the results come up and its history line is
#     written (under a private XDG_DATA_HOME); F12 over the results saves the
#     frame; Esc returns to free practice, D opens the drill menu and Esc
#     closes it;
#   - Esc in a running drill, after a shot, writes its abandoned line and
#     returns to free practice; Esc again ends the program.
# The controls are tested apart (desktop_controls_e2e.sh).
# Usage: desktop_e2e.sh QMSIM. Exit code 77 (skipped) when Xvfb or one of the
# X tools is not there (tools/ensure_deps.sh installs them all); anything
# else that goes wrong fails the test.
set -u
. "$(dirname "$0")/../support/desktop_e2e.sh"

# --- No display --------------------------------------------------------------
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$qmsim" >"$work/out" 2>"$work/err"
rc=$?
[ "$rc" -eq 1 ] || fail "without a display: exit code $rc, expected 1"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "without a display: expected one line on stderr, got: $(cat "$work/err")"
grep -q -- "--headless" "$work/err" || fail "without a display: no hint at --headless: $(cat "$work/err")"
[ -s "$work/out" ] && fail "without a display: unexpected output on stdout"
echo "ok: without a display"

start_display

# --- The dialog lists the map; the chosen map is built and shown ----------------
mkdir -p "$work/map_run"
write_map "$work/map_run/ridge.bmp"
start_qmsim "$work/map_run"
wait_visible "$DIALOG"
dialog=$window
sleep 0.5
click_in "$dialog" $MAP_LIST_X $MAP_LIST_Y
sleep 0.3
set -- $(window_origin "$dialog")
x xdotool mousemove $(($1 + SECOND_ENTRY_X)) $(($2 + SECOND_ENTRY_Y))
sleep 0.3
shot map_list
colour=$(pixel map_list $(($1 + SECOND_ENTRY_X)) $(($2 + SECOND_ENTRY_Y)))
[ "$colour" = "$HOVER_COLOUR" ] || fail "the map list has no second entry under the pointer (colour $colour)"
x xdotool click 1
sleep 0.3
x xdotool key Return
wait_visible "$MAIN"
sleep 1
visible "$DIALOG" && fail "the dialog is still shown with the map running"
shot_until map_running 800x600+0+0 0000FF 40001 || fail "the chosen map's terrain is not shown ($count terrain pixels)"
x xdotool key Escape
wait_exit "map run"
[ "$rc" -eq 0 ] || fail "map run: exit code $rc"
echo "ok: the dialog lists the map, which is built and shown"

# --- The flat map: window, wind dial, a shot, Esc --------------------------------
start_qmsim "$work/map_run"
wait_visible "$DIALOG"
dialog=$window
sleep 0.5
set -- $(window_origin "$dialog")
x xdotool mousemove $(($1 + 100)) $(($2 + 100))
x xdotool key Return
wait_visible "$MAIN"
main=$window
visible "$DIALOG" && fail "the dialog is still shown with the flat map running"
geometry=$(x xdotool getwindowgeometry "$main" | tr -s ' \n' ' ')
case "$geometry" in
    *"Position: 0,0 "*"Geometry: 800x600"*) ;;
    *) fail "main window not over the whole screen: $geometry" ;;
esac
# At rest once both units have landed: two screenshots 0.4 s apart agree
# (within 10 s, however busy the machine).
sleep 1.5
shot rest1
i=0
while :; do
    sleep 0.4
    shot rest2
    [ "$(difference rest1 rest2)" -eq 0 ] && break
    [ $i -ge 25 ] && fail "the frame does not come to rest"
    cp "$work/shots/rest2.png" "$work/shots/rest1.png"
    i=$((i + 1))
done
# The wind dial at (400, 70): a light grey ring from radius 18 to 25 with the
# red wind arrow on it.
ring=0
for point in "421 70" "379 70" "400 49" "400 91" "415 85" "385 85" "385 55" "415 55"; do
    set -- $point
    [ "$(pixel rest1 "$1" "$2")" = "E0E0E0" ] && ring=$((ring + 1))
done
[ $ring -ge 6 ] || fail "no wind dial ring in the frame ($ring of 8 points)"
arrow=$(count_colour rest1 50x50+375+45 FF7070)
[ "$arrow" -gt 0 ] || fail "no wind arrow in the dial"
# The flat map's ground: one blue line two pixels thick across the frame.
ground=$(count_colour rest1 800x600+0+0 0000FF)
[ "$ground" -ge 1200 ] && [ "$ground" -le 2000 ] || fail "no flat-map ground line ($ground blue pixels)"

# A right-button drag 30 pixels to the right moves the view 60 pixels right
# while the button is held; the pointer ends where it was pressed.
player_x=$(left_edge rest1 20A040)
x xdotool mousemove 500 200
sleep 0.2
x xdotool mousedown 3
sleep 0.2
for step in 1 2 3; do
    x xdotool mousemove_relative -- 10 0
    sleep 0.05
done
sleep 0.8
shot panned
x xdotool mouseup 3
sleep 0.2
panned_x=$(left_edge panned 20A040)
# The camera's quarter steps in whole pixels come to rest up to 3 short.
moved=$((player_x - panned_x))
[ $moved -ge 57 ] && [ $moved -le 60 ] || fail "a 30 pixel drag moved the player from $player_x to $panned_x"
pointer=$(x xdotool getmouselocation | cut -d' ' -f1-2)
[ "$pointer" = "x:500 y:200" ] || fail "the pointer did not stay at the press point ($pointer)"
# The camera returns to the player once the pan has expired.
sleep 1.5

x xdotool key f
sleep 1.2
shot flight1
sleep 0.4
shot flight2
[ "$(difference rest2 flight1)" -gt 0 ] || fail "nothing moved after F"
[ "$(difference flight1 flight2)" -gt 0 ] || fail "the shot does not fly"
hud_rest=$(convert "$work/shots/rest2.png" -crop 250x16+25+28 +repage txt:- | md5sum)
hud_flight=$(convert "$work/shots/flight2.png" -crop 250x16+25+28 +repage txt:- | md5sum)
[ "$hud_rest" != "$hud_flight" ] || fail "the flight readout does not change"
x xdotool key Escape
wait_exit "flat run"
[ "$rc" -eq 0 ] || fail "flat run: exit code $rc"
echo "ok: flat map, wind dial, pan, shot in flight, Esc"

# --- Quick start and the practice aids -------------------------------------------
start_qmsim "$work/map_run" --map ridge.bmp --mode windowed --wind fixed:0:0 --quiet-start
wait_visible "$MAIN"
main=$window
visible "$DIALOG" && fail "quick start: the dialog shows"
geometry=$(x xdotool getwindowgeometry "$main" | tr -s ' \n' ' ')
case "$geometry" in
    *"Geometry: 800x600"*) ;;
    *) fail "quick start: not the windowed mode's 800x600 window: $geometry" ;;
esac
# The units land and the camera comes back to the player.
sleep 3
shot aids_rest
# The power finder's line, right of the aim line.
finder=800x16+300+550
[ "$(count_colour aids_rest $finder FFFFFF)" -eq 0 ] || fail "a finder line before H"
x xdotool key h
# The first H makes the probe's copy of the round: a moment's pause.
sleep 1.5
shot aids_finder
[ "$(count_colour aids_finder $finder FFFFFF)" -gt 0 ] || fail "H shows no power finder line"
# G draws the aim chart, a white box under the shot's offsets, once its
# curve is worked out (a few ticks).
chart=260x170+10+52
[ "$(count_colour aids_rest $chart FFFFFF)" -lt 1000 ] || fail "a chart before G"
x xdotool key g
shot_until charted $chart FFFFFF 20000 || fail "G shows no aim chart ($count white pixels)"
# A shot in the air stands still while paused, and flies on after P again.
x xdotool key f
sleep 0.8
x xdotool key p
sleep 0.3
shot paused1
sleep 0.4
shot paused2
[ "$(difference paused1 paused2)" -eq 0 ] || fail "the paused frame changes"
x xdotool key p
sleep 0.3
shot resumed
[ "$(difference paused2 resumed)" -gt 0 ] || fail "the round does not go on after P again"
# Once the shot has landed, T draws its trace (the main shell's dots are dark
# red).
sleep 3
shot landed
[ "$(count_colour landed 800x600+0+0 C00000)" -eq 0 ] || fail "a trace before T"
x xdotool key t
sleep 0.3
shot traced
[ "$(count_colour traced 800x600+0+0 C00000)" -gt 0 ] || fail "T draws no trace"
x xdotool key F12
sleep 0.5
saved=$(ls "$work/map_run/screenshots"/*.png 2>/dev/null | wc -l)
[ "$saved" -eq 1 ] || fail "F12 saved $saved screenshots"
[ "$(identify -format %wx%h "$work/map_run/screenshots"/*.png)" = "800x600" ] || fail "the screenshot is not the frame"
x xdotool key Escape
wait_exit "quick start"
[ "$rc" -eq 0 ] || fail "quick start: exit code $rc"
echo "ok: quick start, power finder, pause, trace, screenshot"

# --- A drill from the command line, to its results --------------------------------
mkdir -p "$work/drill_run"
printf 'name One shot\nrounds 1\nshots 1\ndistance 300 300\nangle 60\n' >"$work/drill_run/one.drill"
start_qmsim "$work/drill_run" --drill one.drill --seed 5 --mode windowed
wait_visible "$MAIN"
# The drill's line above the shot readout: white text cells.
drill_line=400x16+30+8
shot_until drill_start $drill_line FFFFFF 1 || fail "no drill line in the HUD"
# The round begins once the view has followed the target down and come
# back; F before then is dropped.
sleep 6
shot drill_ready
x xdotool key f
# The shot flies, lands and the results come up: a white panel over the frame.
i=0
until shot_until drill_results 600x300+60+200 FFFFFF 150000; do
    i=$((i + 1))
    [ $i -ge 2 ] && fail "no results screen after the drill's one shot ($count white pixels)"
done
history="$work/data/qmsim/history.jsonl"
[ "$(wc -l <"$history" 2>/dev/null)" = 1 ] || fail "the finished drill left no history line"
grep -q '"drill":"One shot"' "$history" || fail "the history line is not the drill's: $(cat "$history")"
# F12 over the results saves the frame as anywhere else.
x xdotool key F12
sleep 0.5
saved=$(ls "$work/drill_run/screenshots"/*.png 2>/dev/null | wc -l)
[ "$saved" -eq 1 ] || fail "F12 over the results saved $saved screenshots"
# The code is printed as the results show; Y copies it and the results stay.
grep -q '^challenge code: qm1-' "$work/qmsim.out" || fail "no challenge code on stdout: $(cat "$work/qmsim.out")"
x xdotool key y
sleep 0.5
shot drill_copied
[ "$(count_colour drill_copied 600x300+60+200 FFFFFF)" -gt 150000 ] || fail "Y closed the results"
# Esc leaves the results for free practice; D opens the drill menu, Esc closes it.
x xdotool key Escape
sleep 0.5
shot drill_free
[ "$(count_colour drill_free 600x300+60+200 FFFFFF)" -lt 1000 ] || fail "Esc did not close the results"
running "after Esc closed the results"
x xdotool key d
sleep 0.5
shot drill_menu
[ "$(count_colour drill_menu 400x100+200+40 FFFFFF)" -gt 20000 ] || fail "D shows no drill menu"
x xdotool key Escape
sleep 0.5
running "after Esc closed the menu"
x xdotool key Escape
wait_exit "drill run"
[ "$rc" -eq 0 ] || fail "drill run: exit code $rc"
echo "ok: a drill from --drill runs to its results, writes its history line; F12 saves it; D opens the menu"

# --- Esc in a running drill: its abandoned line, free practice; Esc again quits ---
printf 'name Two shots\nrounds 2\nshots 1\ndistance 300 300\nangle 60\n' >"$work/drill_run/two.drill"
start_qmsim "$work/drill_run" --drill two.drill --seed 5 --mode windowed
wait_visible "$MAIN"
shot_until leave_start $drill_line FFFFFF 1 || fail "no drill line in the HUD"
sleep 6
x xdotool key f
sleep 3
x xdotool key Escape
sleep 0.5
running "after Esc in a running drill"
shot leave_free
[ "$(count_colour leave_free $drill_line FFFFFF)" -eq 0 ] || fail "Esc in a running drill left its line in the HUD"
[ "$(wc -l <"$history")" = 2 ] || fail "Esc in a running drill wrote no history line"
tail -n 1 "$history" | grep -q '"abandoned":true' || fail "the left drill's line is not abandoned: $(tail -n 1 "$history")"
x xdotool key Escape
wait_exit "left drill"
[ "$rc" -eq 0 ] || fail "left drill: exit code $rc"
echo "ok: Esc in a running drill keeps it as abandoned and gives back free practice; Esc again quits"

# --- A refused resolution change --------------------------------------------------
start_qmsim "$work/map_run"
wait_visible "$DIALOG"
dialog=$window
sleep 0.5
click_in "$dialog" $RADIO_16_BIT_X $RADIO_16_BIT_Y
sleep 0.3
x xdotool key Return
wait_message_box "Error"
box=$window
sleep 0.5
running "before the message box was closed"
message="qmsim: Error: Unable to change resolution."
stderr_is "$message" || fail "with the box up, expected on stderr '$message', got: $(cat "$work/qmsim.err")"
# Its one button, OK, sits centred near the bottom.
size=$(x xdotool getwindowgeometry "$box" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
set -- $(window_origin "$box") $size
x xdotool mousemove $(($1 + $3 / 2)) $(($2 + $4 - 28)) click 1
wait_exit "refused switch" "$message"
[ "$rc" -eq 1 ] || fail "refused switch: exit code $rc, expected 1"
echo "ok: a refused resolution change ends the program after its message"
keep_shots
