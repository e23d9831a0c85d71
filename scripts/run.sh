#!/bin/bash
# Builds the program and starts it on the desktop of the user who asked. Missing packages are installed as root
# (through sudo when a user runs this); the program is built and run as that user, also when this script was
# itself started through sudo. The program keeps schedule.mdb and schedule.txt beside itself, so it runs from a
# folder of the user's own, ${XDG_DATA_HOME:-~/.local/share}/quibbly, where no clean build reaches them.
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
        # sudo left root's home and data folder in the environment.
        exec runuser -u "$user" -- env -u XDG_DATA_HOME HOME="$(getent passwd "$user" | cut -d: -f6)" \
            bash "$PWD/scripts/run.sh"
    fi
fi
folder=${XDG_DATA_HOME:-$HOME/.local/share}/quibbly
mkdir -p "$folder"
# Earlier runs kept the schedule in the build folder: it moves here once, unless this folder has its own.
# The database's journal files go with it: they may hold its latest changes.
for file in schedule.mdb schedule.txt; do
    [ -e "build/src/$file" ] && [ ! -e "$folder/$file" ] || continue
    for part in "$file-wal" "$file-shm" "$file"; do
        [ -e "build/src/$part" ] || continue
        cp -p "build/src/$part" "$folder/$part"
        rm -f "build/src/$part" 2>/dev/null || true
    done
    echo "moved build/src/$file to $folder/$file" >&2
done
if [ ! -w . ] || { [ -e build ] && [ ! -w build ]; }; then
    echo "$(id -un) cannot write $(pwd)/build: build as the owner of this folder, or remove build/ as root." >&2
    exit 1
fi
# Warnings stay warnings here, also in a build folder the test run configured before.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIBBLY_WERROR=OFF >/dev/null
cmake --build build -j "$(nproc)" --target quibbly

# Replaced by a rename, so a copy still running keeps its own file.
cp build/src/quibbly "$folder/.quibbly.new"
mv -f "$folder/.quibbly.new" "$folder/quibbly"
echo "Quibbly runs from $folder, which holds its schedule.mdb and schedule.txt." >&2
exec "$folder/quibbly"
