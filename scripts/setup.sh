#!/usr/bin/env bash
# Installs the build and test tools that are missing; does nothing when all
# are there. Run as root (or with sudo available). Packages named as
# arguments are installed instead (scripts/bench.sh names its own).
set -euo pipefail

packages=(cmake g++ clang libclang-rt-dev make libgtest-dev libgmock-dev libbenchmark-dev libcairo2-dev pkg-config fonts-ipafont-mincho fonts-ipafont-gothic libfontconfig-dev poppler-utils ghostscript libsdl2-dev xvfb xauth xdotool x11-apps)
if [ "$#" -gt 0 ]; then
    packages=("$@")
fi
missing=()
for p in "${packages[@]}"; do
    if ! dpkg -s "$p" >/dev/null 2>&1; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        as_root=(sudo)
    else
        echo "setup.sh: missing packages (${missing[*]}) and not root" >&2
        exit 1
    fi
fi

echo "setup.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
