#!/usr/bin/env bash
# Configures and builds into build/ (or $KORVAN_BUILD).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${KORVAN_BUILD:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
