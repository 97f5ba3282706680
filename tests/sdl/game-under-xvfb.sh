#!/usr/bin/env bash
# The real program in a real window under Xvfb: its window with title and size, the status bar and
# the "Menu" soft key on screen, a second start that only raises the first, and SIGTERM as an
# orderly end that leaves the settings saved.
# Usage: game-under-xvfb.sh TINTARO SDL_SMOKE XVFB_HARNESS   (exit 77: Xvfb or its tools missing)
set -uo pipefail
game="$1"
cover="$2"
# shellcheck source=../../tools/xvfb-harness.sh
source "$3"

# shellcheck source=xvfb-checks.sh
source "$(dirname "$0")/xvfb-checks.sh"

work="$(mktemp -d -t tintaro-e2e.XXXXXX)"
cover_pid=""
cleanup() {
    [ -n "$cover_pid" ] && kill "$cover_pid" 2>/dev/null && wait "$cover_pid" 2>/dev/null
    [ -n "${XH_DIR:-}" ] && xh_stop
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/config" "$work/run"
chmod 700 "$work/run"
settings="$work/config/Qor/Tintaro"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"

# The bounding box "WxH+X+Y" of the light (text) pixels in a region of a picture, or "none".
text_box() {
    local picture="$1" region="$2" box
    box="$(convert "$picture" -crop "$region" +repage -colorspace Gray -threshold 70% \
        -bordercolor black -border 1 -trim -format '%wx%h%O' info: 2>/dev/null)"
    # An all-dark region trims down to a single pixel.
    case "$box" in 1x1*) echo none ;; *) echo "$box" ;; esac
}
# How many pixels of a region ("WxH+X+Y") are the colour given (a dark one), give or take the 5-6-5
# rounding: white pixels go black first, so that only the colour's own pixels end up white.
colour_count() {
    convert "$1" -crop "$2" +repage -fuzz 3% -fill black -opaque white -fill white -opaque "$3" \
        -fill black +opaque white -format '%[fx:int(mean*w*h+0.5)]' info:
}

xh_start || exit 1
XH_ZOOM=2
xh_launch -- "$game" --zoom 2 >/dev/null || exit 1
wid="$(xh_wait_window --name '^Qor Tintaro$')" || { xh_log; exit 1; }

expect_eq "title" "$(xdotool getwindowname "$wid")" "Qor Tintaro"
eval "$(xdotool getwindowgeometry --shell "$wid")"
expect_eq "window size at zoom 2" "${WIDTH}x${HEIGHT}" "480x640"
game_x=$X game_y=$Y

# The status bar (top 26 rows) shows the front window's title; the soft-key bar (bottom 26 rows)
# shows "Menu" on the left soft key and nothing on the right one.
shot="$work/shot.png"
soft_key_shown() { xh_screenshot "$shot" --fb && [ "$(text_box "$shot" 120x26+0+294)" != none ]; }
eventually soft_key_shown
status="$(text_box "$shot" 240x26+0+0)"
left="$(text_box "$shot" 120x26+0+294)"
right="$(text_box "$shot" 120x26+120+294)"
[ "$status" != none ] || fail "no title in the status bar"
[ "$right" = none ] || fail "something on the right soft key: $right"
if [ "$left" = none ]; then
    fail "no label on the left soft key"
else
    # "Menu": one short word, a few times wider than high, inside the bar.
    read -r w h <<<"$(sed 's/[x+]/ /g' <<<"$left" | cut -d' ' -f1,2)"
    if [ "$w" -lt 16 ] || [ "$w" -gt 60 ] || [ "$h" -lt 6 ] || [ "$h" -gt 20 ] || [ $((w * 10)) -lt $((h * 15)) ]; then
        fail "the left soft key's label is not a short word: $left"
    fi
fi
for y in 5 300; do
    [ "$(colour_count "$shot" "240x1+0+$y" 'rgb(24,24,32)')" -gt 120 ] || fail "row $y is not mostly the bar colour"
done

# A second start while a window covers the first: it exits 0 without a window, writes nothing,
# and the first comes to the front.
"$cover" 2 >/dev/null 2>&1 &
cover_pid=$!
timeout 10 xdotool search --sync --onlyvisible --name '^Tintaro SDL check$' >/dev/null || fail "no covering window"
root="$work/root.png"
# Bar-coloured pixels in the game's soft-key bar on the screen as a whole (window pixels).
bar_on_screen() {
    xwd -silent -root | convert xwd:- "$root"
    colour_count "$root" "480x52+$game_x+$((game_y + 588))" 'rgb(24,24,32)'
}
covered() { [ "$(bar_on_screen)" -lt 100 ]; }
raised() { [ "$(bar_on_screen)" -gt 12000 ]; }
eventually covered || fail "the covering window does not cover the game"

snapshot() { find "$work/config" -printf '%P %y %s %m %T@\n' | sort; find "$work/config" -type f -exec sha1sum {} + | sort; }
before="$(snapshot)"
timeout 20 "$game" --zoom 2 >"$work/second.log" 2>&1
expect_eq "exit code of the second start" "$?" "0"
after="$(snapshot)"
[ "$before" = "$after" ] || fail "the second start changed the settings"
expect_eq "windows of the game" "$(xdotool search --onlyvisible --name '^Qor Tintaro$' | wc -l)" "1"

eventually raised || fail "the first window was not raised"
kill "$cover_pid" && wait "$cover_pid"
cover_pid=""

rc="$(xh_stop_app)"
expect_eq "exit code after SIGTERM" "$rc" "rc=0"
for value in PlaySounds GameState; do
    [ -s "$settings/$value" ] || fail "no $value saved"
done

finish "$work/second.log"
