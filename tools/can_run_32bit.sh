#!/usr/bin/env bash
# Tells whether this machine can run the 32-bit Windows tests: exits 0 when it
# can, otherwise prints one line saying why not and exits 1.
#   can_run_32bit.sh [PROBE]
# PROBE is the 32-bit program that is tried (default: wine's 32-bit loader,
# $TARN_WINE32_PROBE overrides it). Some kernels have 32-bit execution turned off;
# there the loader fails with "Exec format error" before wine says a word.
set -u
probe=${1:-${TARN_WINE32_PROBE:-/usr/lib/wine/wine}}
if [ ! -e "$probe" ]; then
  echo "32-bit wine is not installed ($probe is missing; tools/setup.sh installs wine32:i386)"
  exit 1
fi
out=$("$probe" --version 2>&1)
rc=$?
[ "$rc" -eq 0 ] && exit 0
first=$(printf '%s\n' "$out" | head -n 1)
if [ "$rc" -eq 126 ] || printf '%s' "$out" | grep -q 'Exec format error'; then
  echo "this kernel cannot run 32-bit programs ($probe: Exec format error)"
else
  echo "the 32-bit wine loader fails: $probe --version exits $rc: $first"
fi
exit 1
