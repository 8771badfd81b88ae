#!/usr/bin/env bash
# Screenshot of a compare report in a real browser (Debian's chromium, headless), for the README:
#   scripts/report-screenshot.sh BUILD_DIR OUT.png [WIDTH HEIGHT]
#       snapshots the example skin, changes it as an author might (a button moved, the name in
#       another colour), and shows the report of comparing it with the snapshot;
#   scripts/report-screenshot.sh REPORT.html OUT.png [WIDTH HEIGHT]
#       shows a report that is already there.
# Installs chromium when it is missing; the tests never need it.
set -euo pipefail
[[ $# -ge 2 ]] || { sed -n '2,8p' "$0" >&2; exit 2; }
what=$1 out=$(realpath -m "$2") width=${3:-1180} height=${4:-1500}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! command -v chromium >/dev/null; then
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    echo "report-screenshot: installing chromium"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends chromium >/dev/null
fi

if [[ $what == *.html ]]; then
    report=$(realpath "$what")
else
    cli=$(realpath "$what")/cli/pindrel-cli
    cp -r "$root/examples/aurora" "$work/"
    cd "$work" # the report names the skin and the snapshot as given: short relative paths
    "$cli" snapshot aurora/aurora.ini -d snapshot
    # The first button six pixels to the right in portrait, the name label's text in amber.
    sed -i '0,/^posP=26,260\(\r\?\)$/s//posP=32,260\1/' aurora/aurora.ini
    sed -i '0,/^color1=255,255,255\(\r\?\)$/s//color1=255,196,64\1/' aurora/aurora.ini
    report="$work/report.html"
    "$cli" compare aurora/aurora.ini -d snapshot --report "$report" >/dev/null || true
    [[ -s $report ]] || { echo "report-screenshot: compare wrote no report" >&2; exit 1; }
fi

# A fresh profile, and nothing that reaches out: the report must stand alone.
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --hide-scrollbars --window-size="$width,$height" \
    --screenshot="$work/shot.png" "file://$report" 2>/dev/null
mkdir -p "$(dirname "$out")"
cp "$work/shot.png" "$out.tmp" && mv "$out.tmp" "$out"
echo "$out"
