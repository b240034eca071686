#!/usr/bin/env bash
# The benchmark in one command: builds what it needs into a build folder
# (default build/), makes the scaled data once under <build>/bench-data,
# runs every measurement, prints the table and writes
# <build>/bench-results.json and <build>/bench-results.txt.
#
#   bench/run.sh [--quick] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

args=()
build=build
for a in "$@"; do
    case "$a" in
        --quick) args+=(--quick) ;;
        -*) echo "usage: $0 [--quick] [BUILD_DIR]" >&2; exit 2 ;;
        *) build=$a ;;
    esac
done

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
case "$type" in
    Release|RelWithDebInfo) ;;
    *) echo "warning: $build is a '$type' build; figures need an optimised build" >&2 ;;
esac
if ! log=$(cmake --build "$build" --target bench 2>&1); then
    echo "$log" >&2
    exit 1
fi
exec "$build/bench/bench_run" "${args[@]}"
