#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
cd "${KORVAN_BUILD:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
