#!/usr/bin/env bash
# Screenshot of the designer's workbench at work, for the README:
#   scripts/workbench-screenshot.sh BUILD_DIR OUT.png [SCALE]
# Copies the example skin with two typical mistakes (a misspelt key and a misspelt caller field),
# loads it with "Reload on change" ticked, the magnifier at 2x and the pointer over the preview.
set -euo pipefail
build=$(realpath "$1") out=$(realpath -m "$2") scale=${3:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/aurora" "$work/"
skin="$work/aurora/aurora.ini"
sed -i '0,/^transp_color=/s//trasp_color=/; s/^fields=name,phone\r\?$/fields=name,phnoe\r/' "$skin"
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale PINDREL_SHOT_OUT=$out \
    "$build/tests/app/designer_shot" "$skin" --magnifier 2 --pointer 120,160 \
    --reload-on-change 1013 2>/dev/null
echo "$out"
