# Sourced by the end-to-end scripts: start_xvfb WxHxD starts a virtual X
# display on a free number, exports DISPLAY and leaves the server's process
# in xvfb_pid; where Xvfb cannot start it skips the test (exit 77). Needs
# $work for its files.
start_xvfb() {
    # Xvfb picks a free display number and writes it to descriptor 3.
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    i=0
    while [ ! -s "$work/display" ]; do
        if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $i -ge 100 ]; then
            echo "SKIP: Xvfb cannot start here: $(tail -n 3 "$work/xvfb.log")"
            exit 77
        fi
        sleep 0.1
        i=$((i + 1))
    done
    DISPLAY=:$(head -n 1 "$work/display")
    export DISPLAY
}
