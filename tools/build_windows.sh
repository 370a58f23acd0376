#!/usr/bin/env bash
# Cross-builds the plug-ins as Windows DLLs with mingw-w64: 32-bit (the product's
# own format) into build-win32/plugins, 64-bit into build-win64/plugins. Release,
# plug-ins and their binary tests only.
#   tools/build_windows.sh [--test] [LINUX_BUILD]
# --test also runs the tests under wine: the binary tests, the import and export
# check of each DLL, and the comparison of each DLL's render with the Linux
# plug-in of LINUX_BUILD (default: build). Where this machine cannot run 32-bit
# programs (tools/can_run_32bit.sh says why), the 32-bit DLLs are still built but
# their tests are skipped with one line saying so; the 64-bit tests run as usual.
set -euo pipefail
cd "$(dirname "$0")/.."
run_tests=no
if [ "${1:-}" = "--test" ]; then
  run_tests=yes
  shift
fi
linux_build=$(realpath -m "${1:-build}")
jobs=$(nproc)
servers=()
stop_servers() {
  for prefix in "${servers[@]}"; do
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
}
trap stop_servers EXIT

for target in win32:i686 win64:x86_64; do
  dir=build-${target%%:*}
  cmake -S . -B "$dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-${target#*:}-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_BENCH=OFF -DTARN_BUILD_HOST=OFF -DTARN_SANITIZE=OFF \
    -DTARN_XP_REFERENCE_DIR="$linux_build"
  cmake --build "$dir" -j "$jobs"
  if [ "$run_tests" = yes ]; then
    if [ ! -x "$linux_build/tests/crossplatform/tarn_xp_render" ]; then
      echo "build_windows.sh: no Linux build in $linux_build to compare with; build it first" >&2
      exit 1
    fi
    if [ "${target%%:*}" = win32 ] && ! why=$(./tools/can_run_32bit.sh); then
      echo "-- SKIPPED the 32-bit Windows tests: $why"
      continue
    fi
    # the wine prefix is made on first use; doing it here shows a broken wine at once
    echo "-- wine (${target%%:*}) in $dir/wineprefix"
    ./tools/wine_run.sh "${target%%:*}" "$PWD/$dir/wineprefix" cmd.exe /c ver
    # One wine server for the whole run: one that shuts down whenever the tests leave
    # it idle for a moment can drop a program that connects just then.
    servers+=("$PWD/$dir/wineprefix")
    WINEPREFIX="$PWD/$dir/wineprefix" wineserver -p600 </dev/null >/dev/null 2>&1 || true
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  fi
done
echo "Windows plug-ins: build-win32/plugins (32-bit), build-win64/plugins (64-bit)"
