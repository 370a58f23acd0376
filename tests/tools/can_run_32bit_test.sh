#!/usr/bin/env bash
# The 32-bit capability check, fed fake probes: a program the kernel refuses to
# execute (an ARM executable, as a kernel without 32-bit support refuses an i386
# one), a loader that fails on its own, a missing loader, and one that runs.
set -u
check=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
expect() {  # expect NAME EXIT_CODE PATTERN PROBE
  local out rc
  out=$("$check" "$4")
  rc=$?
  if [ "$rc" -ne "$2" ] || ! grep -qE -- "$3" <<<"$out" || [ "$(wc -l <<<"$out")" -ne 1 ]; then
    echo "FAIL $1: exit $rc, said '$out' (expected exit $2 and one line matching '$3')"
    failures=$((failures + 1))
  else
    echo "ok   $1: ${out:-runs}"
  fi
}

# ELF header of a 32-bit ARM executable: refused with ENOEXEC on x86
printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x28\x00\x01\x00\x00\x00\x54\x80\x00\x00\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' >"$dir/foreign"
chmod +x "$dir/foreign"
printf '#!/bin/sh\necho "wine: could not load kernel32.dll, status c0000135"; exit 1\n' >"$dir/broken"
printf '#!/bin/sh\necho "wine-8.0 (Debian 8.0~repack-4)"\n' >"$dir/working"
chmod +x "$dir/broken" "$dir/working"

expect "no 32-bit execution" 1 '^this kernel cannot run 32-bit programs .*Exec format error' "$dir/foreign"
expect "wine fails otherwise" 1 'fails: .* exits 1: wine: could not load kernel32.dll' "$dir/broken"
expect "no wine32" 1 '^32-bit wine is not installed' "$dir/missing"
expect "runs" 0 '^$' "$dir/working"
[ "$failures" -eq 0 ]
