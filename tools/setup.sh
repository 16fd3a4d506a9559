#!/usr/bin/env bash
# Shared by ./run and ./test: installs the Debian packages that are missing, then configures
# and builds into build/ (and build-checked/ with --checked).
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev libsqlite3-dev libcurl4-openssl-dev
          libcups2-dev libgtest-dev poppler-utils python3-pyftpdlib fonts-liberation2
          fonts-dejavu-core cups-daemon cups-client
          qt6-qpa-plugins libxcb1-dev xvfb openbox xdotool x11-xserver-utils x11-utils)

missing=()
for p in "${PACKAGES[@]}"; do
  # Installed means "install ok installed"; a package removed with its settings kept is missing.
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"

# --checked (used by ./test) also builds build-checked/: AddressSanitizer and
# UndefinedBehaviorSanitizer, assertions on, no optimisation (half the compile time). Their
# runtimes come with g++.
if [ "${1:-}" = "--checked" ]; then
  cmake -S . -B build-checked -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRIVANE_SANITIZE=ON >/dev/null
  cmake --build build-checked --parallel "$(nproc)"
fi
