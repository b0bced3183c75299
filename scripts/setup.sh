#!/usr/bin/env bash
# Installs the build and test tools that are missing; does nothing when all
# are there. Installs as root, or through sudo when run as another user.
# Packages named as arguments are installed instead (scripts/bench.sh names
# its own).
set -euo pipefail

packages=(cmake g++ clang libclang-rt-dev make libgtest-dev libgmock-dev libbenchmark-dev libcairo2-dev pkg-config fonts-ipafont-mincho fonts-ipafont-gothic libfontconfig-dev poppler-utils ghostscript libsdl2-dev xvfb xauth xdotool x11-apps openbox strace)
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

# A command as root: directly when we are root, through sudo otherwise.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}
if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
    echo "setup.sh: missing packages (${missing[*]}), and neither root nor sudo to install them" >&2
    exit 1
fi

echo "setup.sh: installing ${missing[*]}"
as_root env DEBIAN_FRONTEND=noninteractive apt-get update
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
