#!/bin/sh
# Runs a program of a Windows cross build under wine on a virtual X server of its
# own, for the tests that open editor windows (tools/wine_run.sh runs everything
# else without a display). The wine prefix is for these tests alone, which take it
# one at a time; its wine server goes down before the X server does.
#   run_on_display.sh TOOLS_DIR win32|win64 PREFIX PROGRAM.exe [ARGS...]
set -eu
if [ $# -lt 4 ]; then
  echo "usage: run_on_display.sh TOOLS_DIR win32|win64 PREFIX PROGRAM [ARGS...]" >&2
  exit 2
fi
tools=$1 arch=$2 prefix=$3
shift 3
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "run_on_display.sh: Xvfb not found; run tools/setup.sh" >&2
  exit 2
fi
# The prefix is made as for every other wine run. Its windows are not left to a
# window manager: there is none on the X server, and wine would wait seconds for one
# each time it hides a window.
if ! grep -qs '"Managed"="N"' "$prefix/user.reg"; then
  "$tools/wine_run.sh" "$arch" "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
  WINEPREFIX="$prefix" wineserver -w
fi

work=$(mktemp -d)
xvfb=
stop() {
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 1' INT TERM
# Xvfb writes its display number once it accepts connections
Xvfb -displayfd 3 -screen 0 2048x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
tries=0
until [ -s "$work/display" ] && grep -q . "$work/display"; do
  tries=$((tries + 1))
  if [ "$tries" -gt 200 ] || ! kill -0 "$xvfb" 2>/dev/null; then
    echo "run_on_display.sh: Xvfb did not start" >&2
    exit 2
  fi
  sleep 0.1
done

case "$arch" in
  win32) loader=wine ;;
  win64) loader=wine; [ -x /usr/lib/wine/wine64 ] && loader=/usr/lib/wine/wine64 ;;
  *) echo "run_on_display.sh: unknown wine architecture '$arch' (win32 or win64)" >&2; exit 2 ;;
esac
export DISPLAY=":$(head -n 1 "$work/display")"
export WINEARCH="$arch" WINEPREFIX="$prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WAYLAND_DISPLAY
status=0
"$loader" "$@" || status=$?
exit "$status"
