# Shared by the checks in a real window under Xvfb; sourced after tools/xvfb-harness.sh. Skips the
# check (exit 77) without Xvfb and its tools, counts failures, and waits for what reaches the screen.

if ! xh_check_deps 2>/dev/null || ! command -v python3 >/dev/null; then
    echo "skipped: Xvfb, xdotool, xwd, convert or python3 missing"
    exit 77
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_eq() { [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"; }

# Runs a check until it passes, for up to 5 s.
eventually() {
    local i
    for i in $(seq 50); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Ends the check: on failure with the program's log and any further files named.
finish() {
    if [ "$failures" -eq 0 ]; then
        echo "ok"
        exit 0
    fi
    echo "--- program log"
    xh_log
    local file
    for file in "$@"; do
        echo "--- $file"
        cat "$file"
    done
    exit 1
}
