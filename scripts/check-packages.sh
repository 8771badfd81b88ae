#!/usr/bin/env bash
# Builds the Debian packages and runs the checks a packager runs on them: lintian, and the
# validators of the desktop entry and the metainfo. Needs `scripts/install-deps.sh --extras`.
set -euo pipefail
cd "$(dirname "$0")/.."
make package >/dev/null
cd build/release
debs=(pindrel_*.deb pindrel-cli_*.deb)
echo "== lintian -E --pedantic ${debs[*]}"
lintian -E --pedantic "${debs[@]}" 2>&1 | grep -v "running with root privileges" || true
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
for d in "${debs[@]}"; do dpkg-deb -x "$d" "$unpacked"; done
echo "== desktop-file-validate"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop && echo "no problems"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
