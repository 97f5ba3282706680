#!/usr/bin/env bash
# The installed layout, staged in a temporary folder: the program and its help page share one
# folder, and the command on the PATH is a relative link to the program, whose real folder is
# where the page is looked for.
set -u
build="$1"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
failures=0
check() { "$@" || { echo "FAIL: $*"; failures=$((failures + 1)); }; }

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null || { echo "FAIL: install"; exit 1; }
home="$stage/usr/libexec/tintaro"
check test -x "$home/tintaro"
check cmp -s "$home/Vokamer.htm" "$(dirname "$0")/../../res/Vokamer.htm"
check test -L "$stage/usr/bin/tintaro"
check test "$(readlink "$stage/usr/bin/tintaro")" = "../libexec/tintaro/tintaro"
check test "$(readlink -f "$stage/usr/bin/tintaro")" = "$(readlink -f "$home/tintaro")"
check test -f "$stage/usr/share/applications/tintaro.desktop"
exit $((failures > 0))
