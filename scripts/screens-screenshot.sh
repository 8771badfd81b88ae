#!/usr/bin/env bash
# Screenshots of the all-screens window and of the outlines and key colour overlays, for the
# README:
#   scripts/screens-screenshot.sh BUILD_DIR SCREENS.png OUTLINES.png [SCALE]
set -euo pipefail
build=$(realpath "$1") screens=$(realpath -m "$2") outlines=$(realpath -m "$3") scale=${4:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/aurora" "$work/"
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale PINDREL_SHOT_OUT=$outlines \
    "$build/tests/app/designer_shot" "$work/aurora/aurora.ini" --outlines --keys --magnifier 2 \
    --all-screens "$screens" 1012 2>/dev/null
echo "$screens $outlines"
