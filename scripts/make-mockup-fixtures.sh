#!/usr/bin/env bash
# Regenerates the layered mock-ups the import tests read, with real editors:
#   gimp.psd   GIMP in batch mode (script-fu) draws scripts/mockup-fixture.scm and saves PSD;
#   krita.ora, krita.psd   Krita opens gimp.psd and exports it (krita --export, under Xvfb).
# Needs: scripts/install-deps.sh --fixtures (gimp, krita, xvfb). Writes tests/fixtures/mockups/
# and its TOOLS file, which names the version of each tool that wrote each file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/tests/fixtures/mockups"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

gimp_version=$(gimp --version | sed 's/.* version //')
krita_version=$(dpkg-query -W -f='${Version}' krita)

# GIMP: no user data or fonts, so that its start-up is quick and the same on every machine.
HOME="$work" gimp -i -n --no-data --no-fonts -b \
    "(begin (load \"$root/scripts/mockup-fixture.scm\") (make-mockup \"$work/gimp.psd\") (gimp-quit 0))" \
    >"$work/gimp.log" 2>&1 || { cat "$work/gimp.log" >&2; exit 1; }

# Krita needs an X server even to export; a private one, with a private configuration.
for format in ora psd; do
    HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
        timeout 300 xvfb-run -a krita "$work/gimp.psd" --export \
        --export-filename "$work/krita.$format" >"$work/krita-$format.log" 2>&1 || true
    [[ -s "$work/krita.$format" ]] || { cat "$work/krita-$format.log" >&2; exit 1; }
done

cp "$work/gimp.psd" "$work/krita.ora" "$work/krita.psd" "$out/"
cat >"$out/TOOLS" <<TOOLS
Mock-ups written by real editors, from scripts/mockup-fixture.scm by
scripts/make-mockup-fixtures.sh:
gimp.psd   GIMP $gimp_version (Debian 12), script-fu batch mode, file-psd-save with RLE
krita.ora  Krita $krita_version (Debian 12), krita --export under Xvfb, from gimp.psd
krita.psd  Krita $krita_version (Debian 12), krita --export under Xvfb, from gimp.psd
TOOLS
ls -l "$out"
