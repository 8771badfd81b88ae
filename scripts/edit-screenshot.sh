#!/usr/bin/env bash
# Screenshot of the designer's edit mode, for the README:
#   scripts/edit-screenshot.sh BUILD_DIR OUT.png [SCALE]
# Copies the example skin, turns "Edit skin" on, selects the answer button and drags it a little,
# with the magnifier at 2x showing the selection too.
set -euo pipefail
build=$(realpath "$1") out=$(realpath -m "$2") scale=${3:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/aurora" "$work/"
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale PINDREL_SHOT_OUT=$out \
    "$build/tests/app/designer_shot" "$work/aurora/aurora.ini" --edit 180,280,-8,-12 \
    --magnifier 2 2>/dev/null
echo "$out"
