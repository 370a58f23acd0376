#!/bin/sh
# Runs a program of a Windows cross build under wine, for ctest and test
# discovery (the toolchain files name it as the cross-compiling emulator).
#   wine_run.sh win32|win64 PREFIX PROGRAM.exe [ARGS...]
# The build keeps a wine prefix of its own (made on first use, one process at a
# time), wine prints no debug chatter and needs no display.
set -eu
if [ $# -lt 3 ]; then
  echo "usage: wine_run.sh win32|win64 PREFIX PROGRAM [ARGS...]" >&2
  exit 2
fi
arch=$1 prefix=$2
shift 2
case "$arch" in
  win32) loader=wine ;;
  win64) loader=wine; [ -x /usr/lib/wine/wine64 ] && loader=/usr/lib/wine/wine64 ;;
  *) echo "wine_run.sh: unknown wine architecture '$arch' (win32 or win64)" >&2; exit 2 ;;
esac
if ! command -v "$loader" >/dev/null 2>&1; then
  echo "wine_run.sh: $loader not found; run tools/setup.sh" >&2
  exit 2
fi

export WINEARCH="$arch" WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# no Mono or Gecko installers, no desktop menu entries
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$prefix/system.reg" ]; then
      log="$prefix.setup.log"
      "$loader" wineboot --init >"$log" 2>&1 || true
      wineserver -w >>"$log" 2>&1 || true
      if [ ! -f "$prefix/system.reg" ]; then
        echo "wine_run.sh: cannot set up the wine prefix $prefix; wine said:" >&2
        sed 's/^/  /' "$log" | tail -n 20 >&2
        exit 2
      fi
    fi
  ) 9>"$prefix.lock"
fi
# A wine server that is shutting down as a program connects drops that program before
# any of its code has run ("wine client error:0: ..."). That is wine's fault, not the
# program's: it is started again, twice at most. Its error output is kept aside to
# tell, and then passed on.
err=$(mktemp)
trap 'rm -f "$err"' EXIT
tries=0
while :; do
  status=0
  "$loader" "$@" 2>"$err" || status=$?
  if [ "$status" -ne 0 ] && [ "$tries" -lt 2 ] && grep -q '^wine client error:0:' "$err"; then
    tries=$((tries + 1))
    echo "wine_run.sh: wine dropped the program at start ($(head -n 1 "$err")); running it again" >&2
    sleep 1
    continue
  fi
  cat "$err" >&2
  exit "$status"
done
