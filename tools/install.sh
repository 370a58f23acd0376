#!/usr/bin/env bash
# Installs tarn and the plug-ins of a build where Linux hosts find them.
#   as root:   tarn into /usr/local/bin, the plug-ins into /usr/local/lib/vst and,
#              when run through sudo, into the invoking user's ~/.vst as well
#              (owned by that user)
#   as a user: tarn into ~/.local/bin, the plug-ins into ~/.vst
# tools/install.sh [BUILD]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

shopt -s nullglob
plugins=("$build"/plugins/tarn_*.so)
shopt -u nullglob
if [ "${#plugins[@]}" -eq 0 ]; then
  echo "install.sh: no plug-ins in $build/plugins; build them first" >&2
  exit 1
fi
tarn=$build/host/tarn

# install_plugins FOLDER [OWNER GROUP]
install_plugins() {
  local owner=()
  [ $# -lt 3 ] || owner=(-o "$2" -g "$3")
  install -d -m 0755 "${owner[@]}" "$1"
  install -m 0644 "${owner[@]}" "${plugins[@]}" "$1/"
  echo "plug-ins installed in $1: $(cd "$1" && ls "${plugins[@]##*/}" | tr '\n' ' ')"
}

if [ "$(id -u)" -eq 0 ]; then
  install_plugins /usr/local/lib/vst
  if [ -x "$tarn" ]; then
    install -d /usr/local/bin
    install -m 0755 "$tarn" /usr/local/bin/tarn
    echo "tarn installed as /usr/local/bin/tarn"
  fi
  if [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    home=$(getent passwd "$SUDO_USER" | cut -d: -f6)
    if [ -n "$home" ] && [ -d "$home" ]; then
      install_plugins "$home/.vst" "$SUDO_USER" "$(id -gn "$SUDO_USER")"
    fi
  fi
else
  install_plugins "$HOME/.vst"
  if [ -x "$tarn" ]; then
    install -d "$HOME/.local/bin"
    install -m 0755 "$tarn" "$HOME/.local/bin/tarn"
    echo "tarn installed as $HOME/.local/bin/tarn"
    case ":$PATH:" in
      *":$HOME/.local/bin:"*) ;;
      *) echo "note: $HOME/.local/bin is not on your PATH; add it to run tarn by name" ;;
    esac
  fi
fi
