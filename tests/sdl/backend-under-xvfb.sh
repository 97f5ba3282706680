#!/usr/bin/env bash
# The SDL backend in a real window under Xvfb: title and size, pixels on screen, keys and the stylus
# in device pixels, the close button and SIGTERM, SIGINT and SIGHUP as orderly ends, and the message
# when there is no display.
# Usage: backend-under-xvfb.sh SMOKE_PROGRAM XVFB_HARNESS   (exit 77: Xvfb or its tools missing)
set -uo pipefail
smoke="$1"
# shellcheck source=../../tools/xvfb-harness.sh
source "$2"

# shellcheck source=xvfb-checks.sh
source "$(dirname "$0")/xvfb-checks.sh"

# RGB565 comes back quantised: compare the top bits of each channel.
expect_pixel() {
    local fx=$1 fy=$2 want="$3" r g b wr wg wb
    read -r r g b < <(xh_pixel "$fx" "$fy")
    read -r wr wg wb <<<"$want"
    if [ $((r >> 3)) -ne $((wr >> 3)) ] || [ $((g >> 2)) -ne $((wg >> 2)) ] || [ $((b >> 3)) -ne $((wb >> 3)) ]; then
        fail "pixel ($fx,$fy): expected $want, got $r $g $b"
    fi
}

# The events logged after line $1 (paint notes left out: their number depends on exposure).
events_after() { tail -n +"$(($1 + 1))" "$XH_DIR/app.log" | grep -E '^(keydown|keyup|char|down|up|move|close)'; }

# No display, or one that does not answer: a clear message that names xvfb-run, and a failure exit.
dead=4321
while [ -e "/tmp/.X11-unix/X$dead" ]; do dead=$((dead + 1)); done
for display in "" ":$dead"; do
    message="$(env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY="$display" "$smoke" 2 2>&1)"
    rc=$?
    [ $rc -ne 0 ] || fail "display '$display': exit code 0"
    grep -q "^sdl-smoke: no display: .*${display}" <<<"$message" || fail "display '$display': message '$message'"
    grep -q 'xvfb-run' <<<"$message" || fail "display '$display': no xvfb-run suggestion in '$message'"
done

xh_start || exit 1
trap 'xh_stop' EXIT
XH_ZOOM=2
xh_launch -- "$smoke" 2 >/dev/null || exit 1
wid="$(xh_wait_window --name '^Tintaro SDL check$')" || { xh_log; exit 1; }
xh_wait_log '^painted' >/dev/null || fail "no paint"

expect_eq "title" "$(xdotool getwindowname "$wid")" "Tintaro SDL check"
eval "$(xdotool getwindowgeometry --shell "$wid")"
expect_eq "window size at zoom 2" "${WIDTH}x${HEIGHT}" "480x640"

# The four quadrants and the blitted square in the middle, in device pixels.
expect_pixel 10 10 "255 0 0"
expect_pixel 229 10 "0 255 0"
expect_pixel 10 309 "0 0 255"
expect_pixel 229 309 "255 255 255"
expect_pixel 120 160 "255 255 0"
expect_pixel 111 151 "255 0 0"
expect_pixel 128 168 "255 255 255"

mark=$(xh_log_lines)
xh_key Up Down Left Right Return F1 F2 Escape Tab b shift+q 7 KP_3
xh_wait_log '^keyup 0x33' --from "$mark" >/dev/null || fail "keys did not all arrive"
# Each key down and up, with the character the typing ones give in between.
expected_keys=""
for key in 26 28 25 27 0D 70 71 1B 42:b 51:Q 37:7 33:3; do
    code=${key%%:*}
    expected_keys+="keydown 0x$code "
    [ "$code" = "$key" ] || expected_keys+="char ${key#*:} "
    expected_keys+="keyup 0x$code "
done
expect_eq "keys" "$(events_after "$mark" | tr '\n' ' ')" "$expected_keys"

# A tap lands in device pixels and its mark shows at once; a drag reports its moves.
mark=$(xh_log_lines)
xh_click 200 37
xh_wait_log '^up ' --from "$mark" >/dev/null || fail "no tap"
expect_eq "tap" "$(events_after "$mark")" "down 200 37
up 200 37"
expect_pixel 200 37 "255 0 255"
expect_pixel 205 37 "0 255 0"

mark=$(xh_log_lines)
xdotool mousemove --window "$wid" --sync 21 21 mousedown 1 mousemove --window "$wid" --sync 101 61 mouseup 1
xh_wait_log '^up ' --from "$mark" >/dev/null || fail "no drag"
expect_eq "drag" "$(events_after "$mark")" "down 10 10
move 50 30
up 50 30"

rc="$(xh_stop_app)"
expect_eq "exit code after SIGTERM" "$rc" "rc=0"
expect_eq "last event" "$(events_after 0 | tail -1)" "close"

# Every other orderly end is a close request too: the window's close button, SIGINT and SIGHUP.
for ending in button INT HUP; do
    xh_launch -- "$smoke" 2 >/dev/null || exit 1
    xh_wait_window --name '^Tintaro SDL check$' >/dev/null || { fail "$ending: no window"; continue; }
    xh_wait_log '^painted' >/dev/null || fail "$ending: no paint"
    if [ $ending = button ]; then
        xh_close
        rc="$(xh_wait_exit)"
    else
        rc="$(xh_stop_app --signal $ending)"
    fi
    expect_eq "exit code after $ending" "$rc" "rc=0"
    expect_eq "$ending: events" "$(events_after 0)" "close"
done

finish
