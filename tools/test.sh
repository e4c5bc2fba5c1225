#!/usr/bin/env bash
# The test command: installs what is missing, builds both configurations and runs every test layer.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
jobs="${ORDER_JOBS:-2}"

bash tools/install-deps.sh

echo "== tools: the demo web application and the artwork generator"
python3 -m unittest discover -s tools/demo -p 'test_*.py'
python3 -m unittest discover -s tools/artwork -p 'test_*.py'

echo "== host: pure code with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset host >/dev/null
cmake --build --preset host -j "$jobs"
ctest --preset host -j "$jobs"

echo "== fuzz: libFuzzer over the pure code, a bounded time per target"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz -j "$jobs"

bash tools/wine-prefix.sh null
source tools/wine-env.sh

echo "== win32: the shipped i686 executable, cross-built"
cmake --preset win32 >/dev/null
if [ "$ORDER_WINE_BITS" = 32 ]; then
  cmake --build --preset win32 -j "$jobs"
else
  # The tests run from the x86_64 build below; here only what ships is built.
  cmake --build --preset win32 -j "$jobs" --target OrderClient
fi
# Wine runs the i686 build where the kernel can start 32-bit programs; elsewhere the same code
# is built for x86_64 and its tests run under Wine's 64-bit loader.
winbuild=win32
if [ "$ORDER_WINE_BITS" = 64 ]; then
  winbuild=win64
  echo "== win64: 32-bit programs cannot run on this kernel; building the tests for x86_64"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j "$jobs"
fi
export ORDER_WINBUILD="$winbuild"

echo "== $winbuild: tests under Wine (null display)"
# One warm wineserver for the whole run; started detached so ctest does not wait on its pipes.
wineserver -p </dev/null >/dev/null 2>&1 || true  # already running is fine
wine wineboot </dev/null >/dev/null 2>&1 || true
trap 'source "$root/tools/wine-env.sh"; wineserver -k 2>/dev/null || true' EXIT
# Serial: the tests share one registry and one window station. A test program that fails is run
# once more, so that a Wine start-up hiccup (a program ending at once with no output, seen once in
# many runs) does not fail the run; a real failure fails twice.
ctest --preset "$winbuild" --repeat until-pass:2

if [ -d tests/e2e ] && ls tests/e2e/*.sh >/dev/null 2>&1; then
  echo "== end to end under Xvfb"
  bash tests/e2e/run-all.sh
fi

echo "== release: a static executable importing system DLLs only; the installer round trip"
bash tests/release/check_imports.sh build/win32/app/OrderClient.exe
bash tools/release.sh "$winbuild" >/dev/null
bash tests/release/installer_e2e.sh build/release$([ "$winbuild" = win32 ] || echo "-$winbuild")/OrderClient-*-setup.exe

echo "== all test layers passed"
