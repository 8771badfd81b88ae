#!/usr/bin/env bash
# Runs every fuzz target for a fixed time on a copy of its seed corpus.
# usage: run-fuzzers.sh BUILD_FUZZ_DIR SECONDS
set -euo pipefail
dir=$(cd "$1" && pwd) # absolute: the skin targets change directory before a crash is saved
seconds=$2
top=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$dir"/fuzz_*; do
    [[ -x "$target" && -f "$target" ]] || continue
    name=$(basename "$target")
    work=$(mktemp -d)
    if [[ -d "$top/fuzz/corpus/$name" ]]; then cp -r "$top/fuzz/corpus/$name/." "$work/"; fi
    echo "== $name for ${seconds}s"
    # Crash inputs land beside the binaries, never in the source tree.
    if ! "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
            -artifact_prefix="$dir/$name-" -print_final_stats=0 "$work" 2>"$work.log"; then
        tail -n 60 "$work.log"
        status=1
    else
        grep -E "^(Done|#[0-9]+ +DONE)" "$work.log" | tail -n 1 || true
    fi
    rm -rf "$work" "$work.log"
done
exit $status
