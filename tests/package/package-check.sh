#!/usr/bin/env bash
# The Debian package packed from this build and unpacked into a throwaway root: every file that the
# launcher entry, the metadata and the manual page name is where they say, both validators accept
# them, and the unpacked program opens its window with its icon and opens its help page from there.
# Usage: package-check.sh CPACK BUILD_DIR SOURCE_DIR XVFB_HARNESS   (exit 77: no dpkg tools)
set -uo pipefail
cpack="$1" build="$2" source_dir="$3"
command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null || { echo "skipped: dpkg-deb or dpkg-shlibdeps missing"; exit 77; }
# shellcheck source=../../tools/xvfb-harness.sh
source "$4"

work="$(mktemp -d -t tintaro-package.XXXXXX)"
trap '[ -n "${XH_DIR:-}" ] && xh_stop; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The single file a pattern names, or nothing.
only() { [ $# -eq 1 ] && [ -e "$1" ] && echo "$1"; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb="$(only "$work"/out/*.deb)" || { fail "not one package in $(ls "$work/out")"; exit 1; }
root="$work/root"
dpkg-deb -x "$deb" "$root" || exit 1
field() { dpkg-deb -f "$deb" "$1"; }
version="$(field Version)"
[ "$(basename "$deb")" = "tintaro_${version}_$(dpkg --print-architecture).deb" ] || fail "package named $(basename "$deb")"
[ "$("$root/usr/bin/tintaro" --version)" = "Qor Tintaro $version" ] || fail "--version is not the package's $version"
for needed in libsdl2 libfreetype libfontconfig libpng fonts-dejavu-core; do
    [[ "$(field Depends)" == *"$needed"* ]] || fail "Depends lacks $needed: $(field Depends)"
done
[[ "$(field Recommends)" == *xdg-utils* ]] || fail "xdg-utils not recommended"

# The launcher entry: its command is the link to the program, its icon in every size and scalable.
desktop="$(only "$root"/usr/share/applications/*.desktop)" || fail "not one launcher entry"
command="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
program="$(readlink -f "$root/usr/bin/$command")"
[ "$program" = "$(readlink -f "$root")/usr/libexec/tintaro/tintaro" ] && [ -x "$program" ] ||
    fail "Exec=$command does not lead to /usr/libexec/tintaro/tintaro inside the package"
[ -f "$(dirname "$program")/Vokamer.htm" ] || fail "no help page beside the program"
icon="$(sed -n 's/^Icon=//p' "$desktop")"
for size in 16 22 24 32 48 64 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size}x${size} icon at $png"
done
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" || fail "no scalable icon"
desktop-file-validate "$desktop" || fail "desktop-file-validate"

# The metadata: named after its id, launching the entry above, providing the command, screenshots in the tree.
metainfo="$(only "$root"/usr/share/metainfo/*.metainfo.xml)" || fail "not one metainfo file"
id="$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")"
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo file not named after its id $id"
launchable="$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")"
[ "$root/usr/share/applications/$launchable" = "$desktop" ] || fail "launchable $launchable is not the entry"
grep -q "<binary>$command</binary>" "$metainfo" || fail "metainfo does not provide $command"
grep -q "<release version=\"$version\"" "$metainfo" || fail "no release $version in the metainfo"
shots="$(sed -n 's|.*<image>https\?://[^<]*/main/\([^<]*\)</image>.*|\1|p' "$metainfo")"
[ "$(wc -w <<<"$shots")" -ge 2 ] || fail "fewer than two screenshots"
for shot in $shots; do
    [ "$(identify -format %m "$source_dir/$shot" 2>/dev/null)" = PNG ] || fail "screenshot $shot is no PNG of the source tree"
done
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "appstreamcli"; }

# The manual page: named after the command, in the section it gives, rendered without a warning.
manual="$root/usr/share/man/man6/$command.6.gz"
[ "$(zcat "$manual" 2>/dev/null | sed -n 's/^\.TH \([^ ]*\) \([^ ]*\).*/\1 \2/p')" = "${command^^} 6" ] ||
    fail "no manual page $command(6) at $manual"
warnings="$(command -v groff >/dev/null && zcat "$manual" | groff -man -Tutf8 -ww -z 2>&1)"
[ -z "$warnings" ] || fail "groff: $warnings"

# The unpacked program in a real window: its icon, the class the launcher entry names, and "Help"
# on its menu (F1, then entry 4) hands the opener the page beside the program's real file.
xh_check_deps 2>/dev/null || { echo "skipped the window: Xvfb or its tools missing"; [ "$failures" -eq 0 ] && exit 77; exit 1; }
mkdir -p "$work/config" && mkdir -m 700 "$work/run"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
cat >"$work/opener" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >"$work/opened.part" && mv "$work/opened.part" "$work/opened"
EOF
chmod +x "$work/opener"
xh_start || exit 1
xh_launch --env TINTARO_OPENER="$work/opener" -- "$root/usr/bin/$command" --zoom 1 >/dev/null || exit 1
if xh_wait_window --name '^Qor Tintaro$' >/dev/null; then
    wid="$(cat "$XH_DIR/window.id")"
    [[ "$(xprop -id "$wid" _NET_WM_ICON 2>&1)" == *"Icon (64 x 64)"* ]] || fail "no window icon"
    class="$(sed -n 's/^StartupWMClass=//p' "$desktop")"
    [[ "$(xprop -id "$wid" WM_CLASS 2>&1)" == *"\"$class\""* ]] || fail "the window's class is not $class"
    xh_key F1
    for _ in $(seq 50); do [ -f "$work/opened" ] && break; xh_key 4; sleep 0.1; done
    [ "$(cat "$work/opened" 2>/dev/null)" = "$(dirname "$program")/Vokamer.htm" ] ||
        fail "Help opened '$(cat "$work/opened" 2>/dev/null)', not the page beside the unpacked program"
    xh_stop_app >/dev/null || fail "the program did not end cleanly on SIGTERM"
else
    fail "no window"
fi

[ "$failures" -eq 0 ] || { echo "--- program log"; xh_log; exit 1; }
echo ok
