#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need.
# Idempotent: quiet and quick when everything is there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6charts6-dev qt6-qpa-plugins
  libgl-dev libsqlcipher-dev sqlcipher libpq-dev libxlsxwriter-dev libfreexl-dev
  libmstch-dev libboost-dev libsodium-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-wqy-microhei unzip time poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
