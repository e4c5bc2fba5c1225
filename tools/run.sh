#!/usr/bin/env bash
# The run command: installs what is missing, builds the client, starts the demo web application
# on 127.0.0.1 (stored as the client's address "Url" only when no address is stored yet) and
# starts the client under Wine: on $DISPLAY when there is one, otherwise in an Xvfb with a Wine
# virtual desktop, where it writes a screenshot of the sign-in window and says where.
#   ORDER_DEMO_PORT   port of the demo web application (default 18080)
#   ORDER_WINEPREFIX  Wine prefix (default build/wine/run inside this tree)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
out="$root/build/run"
port="${ORDER_DEMO_PORT:-18080}"
export ORDER_WINEPREFIX="${ORDER_WINEPREFIX:-$root/build/wine/run}"

bash tools/install-deps.sh

# The shipped executable is the i686 build. Where this kernel cannot start 32-bit programs, Wine
# runs the same code built for x86_64.
source tools/wine-env.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target OrderClient e2e_probe
build=win32
if [ "$ORDER_WINE_BITS" = 64 ]; then
  build=win64
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j2 --target OrderClient e2e_probe
fi
exe="$root/build/$build/app/OrderClient.exe"
probe="$root/build/$build/tests/e2e_probe.exe"
mkdir -p "$out"

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  if [ -n "${xvfb_pid:-}" ]; then wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  rm -f "$out/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(tr -d '\n' <"$out/display")"
  echo "no display: started Xvfb on $DISPLAY"
fi

bash tools/wine-prefix.sh desktop
wineserver -p </dev/null >/dev/null 2>&1 || true

# The demo web application.
if [ -f tools/demo/demo_server.py ]; then
  rm -f "$out/demo.port"
  python3 tools/demo/demo_server.py --port "$port" --log "$out/demo.log" --port-file "$out/demo.port" \
    </dev/null >"$out/demo.out" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$out/demo.port" ] && break; sleep 0.05; done
  [ -s "$out/demo.port" ] && port="$(tr -d '\n' <"$out/demo.port")"
  echo "demo web application: http://127.0.0.1:$port (requests logged in $out/demo.log)"
else
  echo "demo web application not found (tools/demo/demo_server.py); starting the client alone"
fi

# Store the demo's address only when no address is stored: a stored one is the user's choice.
stored="$(wine reg query 'HKCU\Software\Orvanel' /v Url </dev/null 2>/dev/null | tr -d '\r' |
  awk '$1 == "Url" { $1 = ""; $2 = ""; sub(/^ +/, ""); print }')" || true
if [ -z "${stored// /}" ]; then
  wine reg add 'HKCU\Software\Orvanel' /v Url /d "http://127.0.0.1:$port" /f </dev/null >/dev/null 2>&1
  echo "stored the address http://127.0.0.1:$port"
else
  echo "keeping the stored address $stored"
fi

echo "starting $exe"
if [ "$headless" = 1 ]; then
  (cd "$out" && exec wine "$exe" </dev/null >"$out/client.log" 2>&1) &
  pids+=($!)
  if wine "$probe" wait TfmLogin "" 30000 </dev/null >/dev/null 2>&1; then
    sleep 1
    import -display "$DISPLAY" -window root "$out/screenshot.png"
    echo "screenshot of the sign-in window: $out/screenshot.png"
  else
    echo "the sign-in window did not appear; see $out/client.log" >&2
    exit 1
  fi
else
  (cd "$out" && wine "$exe" </dev/null) || true
fi
