#!/usr/bin/env bash
# Installs what Liftvox needs on Debian 12, then configures and builds it in ./build.
# Safe to run again: packages already present are not touched.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages \
  cmake g++ make pkg-config \
  libgtest-dev libgmock-dev libbenchmark-dev \
  libcli11-dev nlohmann-json3-dev \
  libsndfile1-dev libsoxr-dev \
  qt6-base-dev qt6-multimedia-dev qt6-translations-l10n libgl-dev fonts-dejavu-core \
  help2man

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
