#!/usr/bin/env bash
# Installs what is missing, builds (incrementally) and starts Tervalo.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh

if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j "$(nproc)"
exec ./build/tervalo "$@"
