#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Does nothing when they are already present. Usage: install-deps.sh [--screenshot] [extra packages...]
# --screenshot adds what scripts/screenshot.sh needs (a virtual X server and image tools).
set -euo pipefail

screenshot_packages=()
if [ "${1:-}" = "--screenshot" ]; then
  screenshot_packages=(xvfb x11-utils imagemagick fonts-dejavu-core)
  shift
fi

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  qt6-base-dev libgl-dev
  libqt6svg6
  "${screenshot_packages[@]}"
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
