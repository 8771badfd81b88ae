#!/usr/bin/env bash
# Screenshot of the inspector beside the designer, for the README:
#   scripts/inspector-screenshot.sh BUILD_DIR OUT.png [SCALE]
# Turns edit mode on in a copy of the example skin and selects the answer button.
set -euo pipefail
build=$(realpath "$1") out=$(realpath -m "$2") scale=${3:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/aurora" "$work/"
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale PINDREL_SHOT_OUT=$out \
    "$build/tests/app/designer_shot" "$work/aurora/aurora.ini" --select 175,285 2>/dev/null
echo "$out"
