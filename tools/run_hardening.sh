#!/usr/bin/env bash
# The hardening steps of CI: each plug-in's fuzz target for a bounded time
# (TARN_FUZZ_SECONDS, 60 by default), then under ThreadSanitizer the three-thread
# test (TARN_THREADS_SECONDS per plug-in, 3 by default) and the frame's and the
# toolkit's tests of values shared between threads. Prints one summary line and
# exits non-zero when any step failed.
set -uo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds=${TARN_FUZZ_SECONDS:-60}
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
results=()
status=0

if ./tools/run_fuzz.sh "$fuzz_seconds"; then
  results+=("fuzz clean")
else
  results+=("fuzz FAILED")
  status=1
fi

tsan=ok
mkdir -p build-tsan
log=build-tsan/build.log
if ! cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARN_TSAN=ON \
       -DTARN_BUILD_BENCH=OFF "${launcher[@]}" > "$log" 2>&1 ||
   ! cmake --build build-tsan -j 2 --target hardening_threads_test frame_tests gui_tests >> "$log" 2>&1; then
  tail -n 30 "$log"
  tsan="FAILED to build ($log)"
else
  export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
  TARN_THREADS_SECONDS=${TARN_THREADS_SECONDS:-3} build-tsan/tests/hardening/hardening_threads_test || tsan=FAILED
  build-tsan/tests/frame/frame_tests --gtest_filter='*Thread*' || tsan=FAILED
  build-tsan/tests/gui/gui_tests --gtest_filter='*Thread*' || tsan=FAILED
fi
if [ "$tsan" = ok ]; then
  results+=("thread sanitizer clean")
else
  results+=("thread sanitizer $tsan")
  status=1
fi

summary=$(IFS=','; echo "${results[*]}" | sed 's/,/, /g')
if [ "$status" -eq 0 ]; then
  echo "hardening: passed ($summary)"
else
  echo "hardening: FAILED ($summary)"
fi
exit "$status"
