#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds everything into build/, and then
#   start [archiva|firmbook]  starts a program on the sample data beside it
#   test                      runs every test
set -euo pipefail
cd "$(dirname "$0")/.."

action=${1:-}
case "$action" in
    start|test) ;;
    *) echo "usage: $0 start [archiva|firmbook] | test" >&2; exit 2 ;;
esac

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
    libsqlite3-dev sqlite3 libsqlcipher-dev sqlcipher
    fonts-noto-cjk xdg-utils xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

case "$action" in
    start)
        program=${2:-archiva}
        case "$program" in archiva|firmbook) ;; *) echo "no program $program" >&2; exit 2 ;; esac
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
            echo "No display: starting $program under xvfb-run (invisible; Ctrl+C ends it)."
            exec xvfb-run -a "build/bin/$program"
        fi
        exec "build/bin/$program"
        ;;
    test)
        cd build
        exec ctest --output-on-failure -j2
        ;;
esac
