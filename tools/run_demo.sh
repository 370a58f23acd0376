#!/usr/bin/env bash
# Builds the plug-ins and the host, installs the plug-ins into ~/.vst and runs
# the demo: the built-in signal through every plug-in, WAVs into out/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
cmake --install build --component vst
if [ -x build/host/tarn ]; then
  build/host/tarn demo out/demo
else
  echo "the host is not built yet; plug-ins are in build/plugins and ~/.vst"
fi
