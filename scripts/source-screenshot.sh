#!/usr/bin/env bash
# Screenshot of the Source tab beside the designer, for the README:
#   scripts/source-screenshot.sh BUILD_DIR OUT.png [SCALE]
# Copies the example skin with a misspelt key in the decline button's section, so that lint
# marks its line, turns edit mode on and selects that button: the text shows its section.
set -euo pipefail
build=$(realpath "$1") out=$(realpath -m "$2") scale=${3:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/examples/aurora" "$work/"
skin="$work/aurora/aurora.ini"
sed -i '0,/^file_down=decline_down.bmp/{/^file_down=decline_down.bmp/a\
trasp_color=255,0,255
}' "$skin"
QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=$scale PINDREL_SHOT_OUT=$out \
    "$build/tests/app/designer_shot" "$skin" --select 52,286 2>/dev/null
echo "$out"
