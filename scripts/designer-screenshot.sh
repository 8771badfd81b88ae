#!/usr/bin/env bash
# Screenshot of the designer with the example skin, under Xvfb:
#   scripts/designer-screenshot.sh BUILD_DIR OUT.png [SCALE] [CONTROL-ID...]
# The control ids are clicked after loading (1013: contact with picture; 1029: align box).
set -euo pipefail
build=$1 out=$2 scale=${3:-1}
shift $(( $# < 3 ? $# : 3 ))
root=$(cd "$(dirname "$0")/.." && pwd)
skin=$(ls "$root"/examples/*/*.ini | head -n 1)
export QT_SCALE_FACTOR=$scale
xvfb-run -a -s "-screen 0 2560x1600x24" bash -c '
    "$0" "$1" "${@:3}" > /tmp/designer_shot.$$ &
    pid=$!
    for _ in $(seq 50); do [[ -s /tmp/designer_shot.$$ ]] && break; sleep 0.1; done
    sleep 1
    import -window "$(head -n 1 /tmp/designer_shot.$$)" "$2"
    kill $pid; rm -f /tmp/designer_shot.$$
' "$build/tests/app/designer_shot" "$skin" "$out" "$@"
