#!/usr/bin/env bash
# Collects the built plug-ins into one archive per platform, in out/:
#   tarn-VERSION-linux-x86_64.tar.gz   the tarn_*.so of the Linux build
#   tarn-VERSION-windows-x86.zip       the 32-bit tarn_*.dll
#   tarn-VERSION-windows-x64.zip       the 64-bit tarn_*.dll
#   tools/dist.sh [LINUX_BUILD [WIN32_BUILD [WIN64_BUILD]]]   (default: build build-win32 build-win64)
# Every platform must have the same plug-ins; nothing is written otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${1:-build} win32=${2:-build-win32} win64=${3:-build-win64}
version=$(sed -nE 's/^project\(tarn VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "dist.sh: no version in CMakeLists.txt" >&2; exit 1; }

names() {  # plug-in names in a build's plugins folder, without the suffix
  { find "$1/plugins" -maxdepth 1 -name "tarn_*.$2" -printf '%f\n' 2>/dev/null || true; } | sed "s/\.$2\$//" | sort | tr '\n' ' '
}
expected=$(names "$linux" so)
[ -n "$expected" ] || { echo "dist.sh: no plug-ins in $linux/plugins; build them first" >&2; exit 1; }
for dir in "$win32" "$win64"; do
  found=$(names "$dir" dll)
  if [ "$found" != "$expected" ]; then
    echo "dist.sh: $dir/plugins has '${found% }', the Linux build has '${expected% }'" >&2
    exit 1
  fi
done

mkdir -p out
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
pack() {  # pack PLATFORM SUFFIX BUILD FORMAT
  local name=tarn-$version-$1
  mkdir -p "$stage/$name"
  cp "$3"/plugins/tarn_*."$2" "$stage/$name/"
  rm -f "out/$name.$4"
  if [ "$4" = zip ]; then
    (cd "$stage" && cmake -E tar cf "$OLDPWD/out/$name.zip" --format=zip "$name")
  else
    (cd "$stage" && cmake -E tar czf "$OLDPWD/out/$name.tar.gz" "$name")
  fi
  echo "out/$name.$4: $(cd "$stage/$name" && ls | tr '\n' ' ')"
}
pack linux-x86_64 so "$linux" tar.gz
pack windows-x86 dll "$win32" zip
pack windows-x64 dll "$win64" zip
