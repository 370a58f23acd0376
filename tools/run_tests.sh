#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets and the
# thread-sanitizer tests, then the Windows DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARN_SANITIZE=ON -DTARN_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

# Fuzzing (clang's libFuzzer) of every plug-in for a bounded time, and the
# thread-sanitizer tests of the audio, host and editor threads.
./tools/run_hardening.sh

# Windows DLLs, 32-bit and 64-bit, cross-built with mingw-w64: their binary tests
# and checks run under wine, and their renders are compared with the Linux
# plug-ins of build/. Then one archive per platform in out/.
./tools/build_windows.sh --test build
./tools/dist.sh build build-win32 build-win64
