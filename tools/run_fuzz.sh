#!/usr/bin/env bash
# Fuzzes each plug-in for SECONDS (60 by default) with clang's libFuzzer, under
# AddressSanitizer and UndefinedBehaviorSanitizer, in the clang build folder
# build-fuzz. Each run starts from the seed corpus in tests/fuzz/corpus/PLUGIN and
# keeps what it finds in build-fuzz/fuzz/PLUGIN; a fault is written to
# build-fuzz/fuzz/PLUGIN/artifacts/ and can be played again with
#   build-fuzz/tests/fuzz/tarn_fuzz FILE
# TARN_FUZZ_HOST=well-behaved keeps parameter values within 0..1 and the input within
# full scale (the default is a broken host that sends anything). TARN_FUZZ_PLUGINS
# picks plug-ins ("brisker rumbler"). TARN_FUZZ_SEED fixes libFuzzer's random seed
# (1 by default, so that two runs of one checkout try the same inputs; 0 picks one
# from the clock). An input that ran past the time limit is played again on its own:
# when it then finishes in time the machine stalled, not the plug-in, and the run
# says so and counts as clean. Exits 1 when a run found a fault.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
seed=${TARN_FUZZ_SEED:-1}
timeout=${TARN_FUZZ_TIMEOUT:-60}
plugins=${TARN_FUZZ_PLUGINS:-brisker glister rumbler emberon}
launcher=()
mkdir -p build-fuzz
log=build-fuzz/build.log
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

if ! CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
       -DTARN_FUZZ=ON -DTARN_BUILD_BENCH=OFF "${launcher[@]}" > "$log" 2>&1 ||
   ! cmake --build build-fuzz -j 2 --target tarn_fuzz >> "$log" 2>&1; then
  tail -n 30 "$log"
  echo "fuzz: FAILED to build the fuzz target ($log)"
  exit 1
fi

failed=()
for plugin in $plugins; do
  work=build-fuzz/fuzz/$plugin
  mkdir -p "$work/corpus" "$work/artifacts"
  TARN_FUZZ_PLUGIN=$plugin nice -n 10 build-fuzz/tests/fuzz/tarn_fuzz \
    -max_total_time="$seconds" -seed="$seed" -timeout="$timeout" -rss_limit_mb=3000 -max_len=2048 -len_control=0 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
    "$work/corpus" "tests/fuzz/corpus/$plugin" > "$work/log.txt" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log.txt")
  slow=$(ls "$work/artifacts/" | grep '^timeout-' | tail -n 1)
  if [ "$status" -ne 0 ] && [ -n "$slow" ] && grep -q 'ERROR: libFuzzer: timeout' "$work/log.txt"; then
    start=$(date +%s)
    if TARN_FUZZ_PLUGIN=$plugin build-fuzz/tests/fuzz/tarn_fuzz -timeout="$timeout" \
         "$work/artifacts/$slow" > "$work/replay.txt" 2>&1; then
      echo "fuzz: $plugin: an input passed the ${timeout} s limit during the run but took" \
           "$(( $(date +%s) - start )) s alone: the machine stalled, not the plug-in ($work/artifacts/$slow)"
      status=0
    fi
  fi
  if [ "$status" -eq 0 ]; then
    echo "fuzz: $plugin clean, ${runs:-0} runs in $seconds s"
  else
    failed+=("$plugin")
    echo "fuzz: $plugin FAULT (exit $status)"
    grep -m 3 -E '^tarn fuzz:|^SUMMARY:|ERROR: (AddressSanitizer|libFuzzer)' "$work/log.txt" | sed 's/^/  /'
    ls "$work/artifacts/" | tail -n 1 | sed "s|^|  input: $work/artifacts/|"
  fi
done

if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz: FAILED: ${failed[*]}"
  exit 1
fi
echo "fuzz: all clean ($plugins, $seconds s each)"
