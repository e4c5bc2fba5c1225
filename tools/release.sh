#!/usr/bin/env bash
# Builds the Windows release in one command: build/release/OrderClient-<version>.zip (the
# executable and the read-me files) and build/release/OrderClient-<version>-setup.exe (a per-user
# installer made with NSIS).
# Usage: tools/release.sh [win32|win64]   (win32, the i686 executable, is the release; win64 is the
#        same client for 64-bit Windows, used to test the installer where 32-bit programs cannot run)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-win32}"
jobs="${ORDER_JOBS:-2}"

bash tools/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs" --target OrderClient

exe="build/$preset/app/OrderClient.exe"
version=$(sed -n 's/^project(OrderClient VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out="build/release"
[ "$preset" = win32 ] || out="build/release-$preset"
mkdir -p "$out"
name="OrderClient-$version"
[ "$preset" = win32 ] || name="$name-x64"

stage="$out/stage/$name"
rm -rf "$out/stage" && mkdir -p "$stage"
cp "$exe" "$stage/OrderClient.exe"
cp tools/release/readme-zh.txt "$stage/说明.txt"
cp tools/release/readme-en.txt "$stage/README.txt"
rm -f "$out/$name.zip"
(cd "$out/stage" && zip -q -X -r "../$name.zip" "$name")

target=x86-unicode
[ "$preset" = win32 ] || target=amd64-unicode
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DTARGET="$target" \
  -DEXE="$PWD/$exe" -DICON="$PWD/resources/art/app.ico" \
  -DREADME_ZH="$PWD/tools/release/readme-zh.txt" -DREADME_EN="$PWD/tools/release/readme-en.txt" \
  -DOUTFILE="$PWD/$out/$name-setup.exe" tools/release/installer.nsi

echo "release: $out/$name.zip"
echo "release: $out/$name-setup.exe"
