#!/usr/bin/env bash
# Installs the Debian packages of a list (tools/debian-packages.txt unless one is given) that are
# not installed yet. Silent when nothing is missing.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
list="${1:-$here/debian-packages.txt}"

missing=()
while read -r pkg; do
    pkg="${pkg%%#*}"; pkg="${pkg//[[:space:]]/}"
    [ -n "$pkg" ] || continue
    if ! dpkg -s "$pkg" >/dev/null 2>&1 || ! dpkg -s "$pkg" 2>/dev/null | grep -q '^Status: install ok installed'; then
        missing+=("$pkg")
    fi
done < "$list"

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    run=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    run=(sudo)
elif command -v sudo >/dev/null 2>&1 && [ -t 0 ]; then
    run=(sudo)
else
    echo "error: these packages are missing and I cannot install them (not root, and sudo is not available):" >&2
    echo "    ${missing[*]}" >&2
    echo "Install them as root:  apt-get install -y ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get -qq update
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "Installed: ${missing[*]}"
