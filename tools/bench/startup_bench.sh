#!/usr/bin/env bash
# Builds and runs the start-up benchmark under Wine (null display, test prefix) and prints the
# size of the shipped i686 executable. Figures only. Usage: tools/bench/startup_bench.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
runs="${1:-10}"
source tools/wine-env.sh
build=win32
[ "$ORDER_WINE_BITS" = 64 ] && build=win64
for preset in win32 $build; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2 --target OrderClient bare_window startup_bench >/dev/null
done
bash tools/wine-prefix.sh null
wineserver -p </dev/null >/dev/null 2>&1 || true
wine wineboot </dev/null >/dev/null 2>&1 || true
dir="build/$build"
echo "== start-up ($build build under Wine, null display)"
wine "$dir/tools/bench/startup_bench.exe" "$(winepath -w "$dir/app/OrderClient.exe")" \
  "$(winepath -w "$dir/tools/bench/bare_window.exe")" "$runs" </dev/null | tr -d '\r'
exe=build/win32/app/OrderClient.exe
total=$(stat -c %s "$exe")
rsrc_hex=$(i686-w64-mingw32-objdump -h "$exe" | awk '$2 == ".rsrc" { print $3 }')
rsrc=$((16#${rsrc_hex:-0}))
echo "== shipped i686 executable: $exe"
awk -v t="$total" -v r="$rsrc" 'BEGIN {
  printf "  size: %d bytes (%.1f KB)\n", t, t / 1024
  printf "  resources (artwork, icon, manifest): %d bytes (%.1f KB)\n", r, r / 1024
  printf "  code, data and the linked runtime: %d bytes (%.1f KB)\n", t - r, (t - r) / 1024
}'
