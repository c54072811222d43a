#!/usr/bin/env bash
# Installs what is needed, builds, and starts Korvan on its embedded default
# database. The program folder is build/home unless a folder is named:
#   scripts/run.sh [PROGRAM-FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
home="${1:-build/home}"
mkdir -p "$home"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: starting Korvan inside a virtual display (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/korvan --home "$home"
fi
exec build/korvan --home "$home"
