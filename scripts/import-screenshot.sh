#!/usr/bin/env bash
# Screenshot of "Import mock-up..." for the README:
#   scripts/import-screenshot.sh BUILD_DIR OUT.png [SCALE]
# Opens the example skin and reviews the GIMP fixture mock-up: its layers, what each becomes,
# the elements and the warnings, before anything is written.
set -euo pipefail
build=$(realpath "$1") out=$(realpath -m "$2") scale=${3:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/aurora" "$work/"
cp "$root/tests/fixtures/mockups/gimp.psd" "$work/phone-mockup.psd"
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale PINDREL_SHOT_OUT=$out \
    "$build/tests/app/designer_shot" "$work/aurora/aurora.ini" \
    --import "$work/phone-mockup.psd" 2>/dev/null
echo "$out"
