#!/usr/bin/env bash
# Every benchmark in one run, each printing its figures with its ratio: the digest beside OpenSSL,
# start-up beside a bare window with the executable's size, chrome painting beside a BitBlt, the
# main window's repaint and handle counts, and the soak's handle and memory counts.
# Usage: tools/bench/run-all.sh [SOAK_CYCLES]   (default 10000)
set -euo pipefail
cd "$(dirname "$0")/../.."
cycles="${1:-10000}"

bash tools/install-deps.sh
cmake --preset host >/dev/null
cmake --build --preset host -j2 --target md5_bench >/dev/null
echo "#### digest (native, beside OpenSSL's MD5)"
build/host/tools/bench/md5_bench

echo
echo "#### start-up and executable size"
bash tools/bench/startup_bench.sh 10

source tools/wine-env.sh
build=win32
[ "$ORDER_WINE_BITS" = 64 ] && build=win64
cmake --build --preset "$build" -j2 >/dev/null
wineserver -p </dev/null >/dev/null 2>&1 || true
for bench in paint_bench shell_bench; do
  exe="build/$build/tools/bench/$bench.exe"
  [ -f "$exe" ] || continue
  echo
  echo "#### $bench ($build build under Wine, null display)"
  wine "$exe" </dev/null | tr -d '\r'
done
exe="build/$build/tools/bench/soak_bench.exe"
if [ -f "$exe" ]; then
  echo
  echo "#### soak: $cycles cycles ($build build under Wine, null display)"
  wine "$exe" "$cycles" </dev/null | tr -d '\r'
fi
