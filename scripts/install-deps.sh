#!/bin/bash
# Installs the Debian packages the build, the tests and the program need. Quick when all are present; a user
# is asked for the sudo password only when something is missing.
set -euo pipefail
pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libsqlite3-dev sqlite3
      libgtest-dev libgmock-dev libbenchmark-dev fonts-arphic-uming fonts-liberation2 iproute2 util-linux xvfb xauth
      clang libclang-rt-14-dev openbox xdotool x11-utils)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]}" >&2
    # sudo -v asks for the password once and fails where sudo refuses this user (not in the sudoers file, or
    # no terminal to ask on): then root installs them through su.
    if command -v sudo >/dev/null && sudo -v; then
        echo "Installing them as root through sudo." >&2
        exec sudo bash "$(readlink -f "$0")"
    fi
    echo "Install them as root: su -c 'bash $(readlink -f "$0")'" >&2
    exit 1
fi
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
