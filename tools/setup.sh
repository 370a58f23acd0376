#!/usr/bin/env bash
# Installs the Debian 12 packages this project needs. Run as root on a fresh
# machine; safe to run again.
#   tools/setup.sh --demo   what the build and the demo need (tools/run_demo.sh)
#   tools/setup.sh [--all]  that, plus what only the tests need: a virtual X
#                           server, third-party test peers, the Windows cross
#                           builds and wine (tools/run_tests.sh)
set -euo pipefail

mode=${1:---all}
case "$mode" in
  --demo|--all) ;;
  *) echo "usage: tools/setup.sh [--demo|--all]" >&2; exit 2 ;;
esac

packages=(
  # build (the configure step finds the test and benchmark libraries too)
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # host: audio files
  libsndfile1-dev
  # editor toolkit: windows, fonts, pictures
  libx11-dev libxtst-dev libfreetype-dev fonts-liberation fonts-dejavu-core
  librsvg2-bin libstb-dev
)
if [ "$mode" = --all ]; then
  packages+=(
    # fuzzing with libFuzzer and the sanitizers (tools/run_fuzz.sh)
    clang-14 libclang-rt-14-dev
    # editor tests and panel pictures under a virtual X server
    xvfb xdotool x11-utils xauth
    # third-party VST 2 plug-ins as test peers for the host
    zam-plugins
    # Windows cross builds and their tests
    mingw-w64 wine wine64
  )
fi

require_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup.sh: these packages are missing: $*; run this as root (sudo $0 $mode)" >&2
    exit 1
  fi
}

install_packages() {
  require_root "$@"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "$@"
}

need=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ "${#need[@]}" -gt 0 ]; then
  install_packages "${need[@]}"
fi
[ "$mode" = --all ] || exit 0

# ---- Windows test runs: 32-bit wine --------------------------------------
# The 32-bit DLLs run under wine32, which comes from Debian's i386 architecture.
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  require_root wine32:i386
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  install_packages wine32:i386
fi
