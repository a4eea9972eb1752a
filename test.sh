#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once as a normal
# build, once under AddressSanitizer and UndefinedBehaviorSanitizer.
# A sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp

configure() { # build-dir, extra cmake arguments…
    local dir=$1; shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" -G Ninja "$@"
    fi
}

configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

configure build-asan -DCMAKE_BUILD_TYPE=Debug -DTERVALO_SANITIZE=ON -DTERVALO_BENCHMARKS=OFF
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
