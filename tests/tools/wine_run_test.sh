#!/usr/bin/env bash
# The wine runner, with a stand-in `wine` that is dropped at start (wine's
# "wine client error:0:") a given number of times, then runs: it is run again twice
# at most, and any other failure is passed on at once with its own status.
set -u
runner=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/bin" "$dir/prefix"
touch "$dir/prefix/system.reg"
cat >"$dir/bin/wine" <<'FAKE'
#!/bin/sh
n=$(cat "$STARTS" 2>/dev/null || echo 0)
echo $((n + 1)) >"$STARTS"
if [ "$n" -lt "$DROPS" ]; then echo "wine client error:0: recvmsg: Connection reset by peer" >&2; exit 1; fi
echo "ran $*"
[ -n "$LATE_ERROR" ] && echo "wine client error:1c: write: Bad file descriptor" >&2
exit "$STATUS"
FAKE
chmod +x "$dir/bin/wine"
failures=0
expect() {  # expect NAME DROPS STATUS LATE_ERROR EXIT STARTS STDOUT_PATTERN STDERR_PATTERN (- for none)
  local out rc starts
  rm -f "$dir/starts"
  out=$(PATH="$dir/bin:$PATH" STARTS="$dir/starts" DROPS=$2 STATUS=$3 LATE_ERROR=$4 \
        "$runner" win32 "$dir/prefix" prog.exe a b 2>"$dir/err")
  rc=$?
  starts=$(cat "$dir/starts" 2>/dev/null || echo 0)
  if [ "$rc" -ne "$5" ] || [ "$starts" -ne "$6" ] || ! grep -qE -- "$7" <<<"$out" ||
     { [ "$8" = - ] && [ -s "$dir/err" ]; } || { [ "$8" != - ] && ! grep -qE -- "$8" "$dir/err"; }; then
    echo "FAIL $1: exit $rc after $starts starts, said '$out' and '$(cat "$dir/err")'"
    failures=$((failures + 1))
  else
    echo "ok   $1"
  fi
}

expect "runs" 0 0 "" 0 1 '^ran prog.exe a b$' -
expect "dropped once" 1 0 "" 0 2 '^ran prog.exe a b$' 'running it again'
expect "dropped every time" 5 0 "" 1 3 '^$' '^wine client error:0: recvmsg'
expect "the program fails" 0 3 "" 3 1 '^ran' -
expect "wine fails later" 0 1 yes 1 1 '^ran' '^wine client error:1c:'
[ "$failures" -eq 0 ]
