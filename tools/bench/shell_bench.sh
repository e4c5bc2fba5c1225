#!/usr/bin/env bash
# Builds and runs the main window benchmark under Wine (null display, test prefix). Figures only.
# Usage: tools/bench/shell_bench.sh [REPAINTS]
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/wine-env.sh
build=win32
[ "$ORDER_WINE_BITS" = 64 ] && build=win64
cmake --preset "$build" >/dev/null
cmake --build --preset "$build" -j2 --target shell_bench >/dev/null
bash tools/wine-prefix.sh null
wineserver -p </dev/null >/dev/null 2>&1 || true
wine wineboot </dev/null >/dev/null 2>&1 || true
echo "($build build under Wine, null display)"
wine "build/$build/tools/bench/shell_bench.exe" "${1:-300}" </dev/null | tr -d '\r'
