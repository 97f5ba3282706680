#!/usr/bin/env bash
# The real window under Xvfb. The SDL check program: pixels on screen, keys and the stylus in device
# pixels, the close button as an orderly end. The game: the message when there is no display, its
# window with title and size and its bar on screen, a second start that only raises the first, and
# SIGTERM as an orderly end that leaves the settings saved.
# Usage: under-xvfb.sh TINTARO SDL_SMOKE XVFB_HARNESS   (exit 77: Xvfb or its tools missing)
set -uo pipefail
game="$1" smoke="$2"
# shellcheck source=../../tools/xvfb-harness.sh
source "$3"
xh_check_deps 2>/dev/null && command -v python3 >/dev/null || { echo "skipped: Xvfb, xdotool, xwd, convert or python3 missing"; exit 77; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_eq() { [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"; }
# Runs a check until it passes, for up to 5 s.
eventually() { local i; for i in $(seq 50); do "$@" && return 0; sleep 0.1; done; return 1; }

work="$(mktemp -d -t tintaro-e2e.XXXXXX)"
cover_pid=""
cleanup() {
    [ -n "$cover_pid" ] && kill "$cover_pid" 2>/dev/null && wait "$cover_pid" 2>/dev/null
    [ -n "${XH_DIR:-}" ] && xh_stop
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/config" && mkdir -m 700 "$work/run"
settings="$work/config/Qor/Tintaro"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"

# No display, or one that does not answer: a clear message that names xvfb-run, and a failure exit.
dead=4321
while [ -e "/tmp/.X11-unix/X$dead" ]; do dead=$((dead + 1)); done
for display in "" ":$dead"; do
    message="$(env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY="$display" "$game" 2>&1)"
    rc=$?
    [ $rc -ne 0 ] || fail "display '$display': exit code 0"
    grep -q "^tintaro: no display: .*${display}" <<<"$message" || fail "display '$display': message '$message'"
    grep -q 'xvfb-run' <<<"$message" || fail "display '$display': no xvfb-run suggestion in '$message'"
done

xh_start || exit 1
XH_ZOOM=2

# The check program: four quadrants, a blitted square, and a log of its input; compare 5-6-5's top bits.
expect_pixel() {
    local r g b wr wg wb
    read -r r g b < <(xh_pixel "$1" "$2")
    read -r wr wg wb <<<"$3"
    (((r >> 3) != (wr >> 3) || (g >> 2) != (wg >> 2) || (b >> 3) != (wb >> 3))) && fail "pixel ($1,$2): expected $3, got $r $g $b"
}
# The events logged after line $1 (paint notes left out: their number depends on exposure).
events_after() { tail -n +"$(($1 + 1))" "$XH_DIR/app.log" | grep -E '^(keydown|keyup|char|down|up|move|close)'; }

xh_launch -- "$smoke" 2 >/dev/null || exit 1
wid="$(xh_wait_window --name '^Tintaro SDL check$')" || { xh_log; exit 1; }
xh_wait_log '^painted' >/dev/null || fail "no paint"
for spot in "10 10 255 0 0" "229 10 0 255 0" "10 309 0 0 255" "229 309 255 255 255" "120 160 255 255 0" \
    "111 151 255 0 0" "128 168 255 255 255"; do
    read -r x y rgb <<<"$spot"
    expect_pixel "$x" "$y" "$rgb"
done

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
expect_eq "tap" "$(events_after "$mark" | tr '\n' ' ')" "down 200 37 up 200 37 "
expect_pixel 200 37 "255 0 255"
expect_pixel 205 37 "0 255 0"
mark=$(xh_log_lines)
xdotool mousemove --window "$wid" --sync 21 21 mousedown 1 mousemove --window "$wid" --sync 101 61 mouseup 1
xh_wait_log '^up ' --from "$mark" >/dev/null || fail "no drag"
expect_eq "drag" "$(events_after "$mark" | tr '\n' ' ')" "down 10 10 move 50 30 up 50 30 "

xh_close
expect_eq "exit code after the close button" "$(xh_wait_exit)" "rc=0"
expect_eq "last event" "$(events_after 0 | tail -1)" "close"
smoke_log="$work/smoke.log"
cp "$XH_DIR/app.log" "$smoke_log"

# The game. How many pixels of a region ("WxH+X+Y") are the colour given (a dark one), give or take
# the 5-6-5 rounding: white pixels go black first, so that only the colour's own pixels end up white.
colour_count() {
    convert "$1" -crop "$2" +repage -fuzz 3% -fill black -opaque white -fill white -opaque "$3" \
        -fill black +opaque white -format '%[fx:int(mean*w*h+0.5)]' info:
}

xh_launch -- "$game" --zoom 2 >/dev/null || exit 1
wid="$(xh_wait_window --name '^Qor Tintaro$')" || { xh_log; exit 1; }
expect_eq "title" "$(xdotool getwindowname "$wid")" "Qor Tintaro"
eval "$(xdotool getwindowgeometry --shell "$wid")"
expect_eq "window size at zoom 2" "${WIDTH}x${HEIGHT}" "480x640"
root="$work/root.png"
# Bar-coloured pixels in the game's soft-key bar on the whole screen (what it shows is checked headless).
bar_on_screen() {
    xwd -silent -root | convert xwd:- "$root"
    colour_count "$root" "480x52+$X+$((Y + 588))" 'rgb(24,24,32)'
}
covered() { [ "$(bar_on_screen)" -lt 100 ]; }
raised() { [ "$(bar_on_screen)" -gt 12000 ]; }
eventually raised || fail "the soft-key bar does not show"

# A second start while a window covers the first: it exits 0 without a window, writes nothing,
# and the first comes to the front.
"$smoke" 2 >/dev/null 2>&1 &
cover_pid=$!
timeout 10 xdotool search --sync --onlyvisible --name '^Tintaro SDL check$' >/dev/null || fail "no covering window"
eventually covered || fail "the covering window does not cover the game"
snapshot() { find "$work/config" -printf '%P %y %s %m %T@\n' | sort; find "$work/config" -type f -exec sha1sum {} + | sort; }
before="$(snapshot)"
timeout 20 "$game" --zoom 2 >"$work/second.log" 2>&1
expect_eq "exit code of the second start" "$?" "0"
[ "$before" = "$(snapshot)" ] || fail "the second start changed the settings"
expect_eq "windows of the game" "$(xdotool search --onlyvisible --name '^Qor Tintaro$' | wc -l)" "1"
eventually raised || fail "the first window was not raised"
kill "$cover_pid" && wait "$cover_pid"
cover_pid=""

expect_eq "exit code after SIGTERM" "$(xh_stop_app)" "rc=0"
for value in PlaySounds GameState; do [ -s "$settings/$value" ] || fail "no $value saved"; done

[ "$failures" -eq 0 ] && { echo ok; exit 0; }
for log in "$smoke_log" "$XH_DIR/app.log" "$work/second.log"; do echo "--- $log"; cat "$log"; done
exit 1
