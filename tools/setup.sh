#!/usr/bin/env bash
# Installs every Debian 12 package the build, the tests and the demo need.
# Run as root on a fresh machine; safe to run again.
set -euo pipefail

packages=(
  # build and test
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # host: audio files
  libsndfile1-dev
  # editor toolkit: windows, fonts, pictures
  libx11-dev libxtst-dev libfreetype-dev fonts-liberation fonts-dejavu-core
  librsvg2-bin libstb-dev
  # fuzzing with libFuzzer and the sanitizers (tools/run_fuzz.sh)
  clang-14 libclang-rt-14-dev
  # editor tests under a virtual X server
  xvfb xdotool x11-utils xauth
  # third-party VST 2 plug-ins as test peers for the host
  zam-plugins
  # Windows cross builds and their tests
  mingw-w64 wine wine64
)

need=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ "${#need[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

# ---- Windows test runs: 32-bit wine --------------------------------------
# The 32-bit DLLs run under wine32, which comes from Debian's i386 architecture.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends wine32:i386
fi
