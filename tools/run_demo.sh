#!/usr/bin/env bash
# Builds the plug-ins and tarn, installs them where Linux hosts look (see
# tools/install.sh) and runs the demo: the built-in signal through every
# plug-in, WAVs into out/demo. Installs only the packages the build needs;
# tools/run_tests.sh installs the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/setup.sh --demo
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)" --target tarn_product
./tools/install.sh build
if [ -x build/host/tarn ]; then
  build/host/tarn demo out/demo
else
  echo "the host is not built yet; plug-ins are in build/plugins"
fi
