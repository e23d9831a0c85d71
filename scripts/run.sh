#!/bin/bash
# Builds the program and starts it on the desktop of the user who asked. Missing packages are installed as root
# (through sudo when a user runs this); the program is built and run as that user, also when this script was
# itself started through sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Quibbly needs a graphical session: run this from a terminal on your desktop." >&2
    exit 1
fi
scripts/install-deps.sh
if [ "$(id -u)" -eq 0 ]; then
    user=${SUDO_USER:-root}
    [ "$user" != root ] || user=$(stat -c %U .)
    if [ "$user" != root ]; then
        uid=$(id -u "$user")
        [ -d "/run/user/$uid" ] && export XDG_RUNTIME_DIR=/run/user/$uid
        exec runuser -u "$user" -- bash "$PWD/scripts/run.sh"
    fi
fi
if [ ! -w . ] || { [ -e build ] && [ ! -w build ]; }; then
    echo "$(id -un) cannot write $(pwd)/build: build as the owner of this folder, or remove build/ as root." >&2
    exit 1
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quibbly
exec build/src/quibbly
