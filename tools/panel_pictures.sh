#!/usr/bin/env bash
# Regenerates docs/<plugin>-panel.png for every Tarn plug-in built with an
# editor: tarn snapshot of its panel after three seconds of the demo signal.
# Without a DISPLAY it runs itself under xvfb-run.
# tools/panel_pictures.sh [BUILD]   (default: build)
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."
build=${1:-build}
tarn=$build/host/tarn
[ -x "$tarn" ] || { echo "panel_pictures.sh: $tarn is not built" >&2; exit 1; }

if [ -z "${DISPLAY:-}" ]; then
  if ! command -v xvfb-run >/dev/null; then
    echo "panel_pictures.sh: no DISPLAY and no xvfb-run (tools/setup.sh installs xvfb)" >&2
    exit 1
  fi
  exec xvfb-run -a "$self" "$@"
fi

mkdir -p docs
for name in brisker glister rumbler emberon; do
  plugin=$build/plugins/tarn_$name.so
  if [ ! -f "$plugin" ]; then
    echo "$name: not built, skipped"
  elif ! "$tarn" info "$plugin" | grep -Eq '^flags .*\beditor\b'; then
    echo "$name: no editor yet, skipped"
  else
    "$tarn" snapshot "$plugin" "docs/$name-panel.png" --seconds 3
  fi
done
