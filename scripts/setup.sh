#!/usr/bin/env bash
# Installs what Liftvox needs on Debian 12, then configures and builds it in ./build.
# Safe to run again: packages already present are not touched.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  libsndfile1-dev libsoxr-dev
  qt6-base-dev qt6-multimedia-dev libgl-dev fonts-dejavu-core
  clang-format g++-mingw-w64-x86-64-posix
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
