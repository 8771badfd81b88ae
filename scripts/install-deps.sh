#!/usr/bin/env bash
# Installs the Debian 12 packages Pindrel needs to build, test, benchmark and fuzz.
# Only what is missing is installed; run it as often as you like.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    libfreetype-dev libfontconfig-dev libpng-dev libjpeg62-turbo-dev
    libcli11-dev nlohmann-json3-dev nettle-dev libzip-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    libstb-dev libinih-dev
    fonts-wine fonts-dejavu-core
    dpkg-dev file
    imagemagick
)
# Extras for screenshots and packaging checks; not needed by the tests.
if [[ "${1:-}" == "--extras" ]]; then
    packages+=(xvfb xauth chromium desktop-file-utils appstream lintian)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$p")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "install-deps: need root or sudo for: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
