#!/usr/bin/env bash
# Helpers for the end-to-end scripts: one Xvfb, a Wine prefix with a 1024x768 virtual desktop,
# the client and the probe built for the Wine loader that runs here, and xdotool to act as a
# person would. Source it, then call e2e_begin; e2e_end (installed as an EXIT trap) cleans up.
#
# Windows inside the virtual desktop are not X windows, so the scripts find them with the probe
# (tests/e2e/probe.cpp, built with the tests): `e2e_probe wait TfmLogin` prints the window's
# handle and screen rectangle. Screen coordinates of the Wine desktop equal X coordinates of the
# desktop window, which sits at the origin of the Xvfb screen.

E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
E2E_NAME="$(basename "${0%.sh}")"
E2E_OUT="${E2E_OUT:-$E2E_ROOT/build/e2e/$E2E_NAME}"
export ORDER_WINEPREFIX="${ORDER_WINEPREFIX:-$E2E_ROOT/build/wine/e2e}"
E2E_XVFB_PID=""
E2E_FAILED=0

e2e_log() { printf '[%s] %s\n' "$E2E_NAME" "$*"; }
e2e_fail() {
  e2e_log "FAIL: $*"
  E2E_FAILED=1
  e2e_shot "failure"
  exit 1
}

# The build whose programs this machine's Wine can start (see tools/wine-env.sh).
e2e_build_dir() {
  if [ -n "${ORDER_WINBUILD:-}" ]; then echo "$E2E_ROOT/build/$ORDER_WINBUILD"; return; fi
  if [ "${ORDER_WINE_BITS:-}" = 64 ]; then echo "$E2E_ROOT/build/win64"; else echo "$E2E_ROOT/build/win32"; fi
}

e2e_begin() {
  mkdir -p "$E2E_OUT"
  source "$E2E_ROOT/tools/wine-env.sh"
  E2E_BUILD="${ORDER_WINBUILD_DIR:-$(e2e_build_dir)}"
  E2E_EXE="$E2E_BUILD/app/OrderClient.exe"
  E2E_PROBE="$E2E_BUILD/tests/e2e_probe.exe"
  [ -f "$E2E_EXE" ] || e2e_fail "client not built: $E2E_EXE"
  [ -f "$E2E_PROBE" ] || e2e_fail "probe not built: $E2E_PROBE"
  trap e2e_end EXIT

  # Xvfb picks a free display and writes its number to the descriptor.
  local fifo="$E2E_OUT/.display"
  rm -f "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  E2E_XVFB_PID=$!
  local i
  for i in $(seq 100); do [ -s "$fifo" ] && break; sleep 0.05; done
  [ -s "$fifo" ] || e2e_fail "Xvfb did not start"
  export DISPLAY=":$(tr -d '\n' <"$fifo")"
  e2e_log "Xvfb on $DISPLAY, prefix $WINEPREFIX"

  bash "$E2E_ROOT/tools/wine-prefix.sh" desktop >/dev/null
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine wineboot </dev/null >/dev/null 2>&1 || true
}

e2e_end() {
  local rc=$?
  [ "$E2E_FAILED" = 1 ] && rc=1
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "$E2E_XVFB_PID" ]; then kill "$E2E_XVFB_PID" 2>/dev/null || true; wait "$E2E_XVFB_PID" 2>/dev/null || true; fi
  if [ "$rc" = 0 ]; then e2e_log "passed"; else e2e_log "failed (output in $E2E_OUT)"; fi
  exit "$rc"
}

e2e_probe() { wine "$E2E_PROBE" "$@" </dev/null 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# Settings of the program: HKCU\Software\Orvanel.
e2e_reg_clear() { wine reg delete 'HKCU\Software\Orvanel' /f </dev/null >/dev/null 2>&1 || true; }
e2e_reg_set() { wine reg add 'HKCU\Software\Orvanel' /v "$1" /d "$2" /f </dev/null >/dev/null 2>&1; }
# Prints the stored text of one value, or nothing (exit 1) when it does not exist.
e2e_reg_get() {
  local out
  out="$(wine reg query 'HKCU\Software\Orvanel' /v "$1" </dev/null 2>/dev/null | iconv -f GBK -t UTF-8 | tr -d '\r')" || return 1
  printf '%s\n' "$out" | awk -v name="$1" '
    { line = $0; sub(/^ +/, "", line) }
    index(line, name " ") == 1 { rest = substr(line, length(name) + 2); sub(/^ *REG_SZ */, "", rest); print rest; found = 1 }
    END { exit found ? 0 : 1 }'
}

# Starts the client in the background; E2E_CLIENT_PID is the wine launcher's pid.
e2e_start_client() {
  (cd "$E2E_OUT" && exec wine "$E2E_EXE" </dev/null >>"$E2E_OUT/client.log" 2>&1) &
  E2E_CLIENT_PID=$!
}

# Waits for a visible window of the class (and title); sets WIN, WIN_L, WIN_T, WIN_R, WIN_B (its
# screen rectangle) and WIN_CX, WIN_CY (the screen position of its client area's top-left corner).
e2e_wait_window() {
  local line
  line="$(e2e_probe wait "$1" "${2:-}" "${3:-15000}")" || return 1
  read -r WIN WIN_L WIN_T WIN_R WIN_B WIN_CX WIN_CY <<<"$line"
}

# Clicks at a point of the client area of the window found last.
e2e_click() {
  xdotool mousemove --sync $((WIN_CX + $1)) $((WIN_CY + $2)) click 1
  sleep 0.3
}
e2e_type() { xdotool type --delay 30 "$1"; sleep 0.2; }
e2e_key() { xdotool key "$@"; sleep 0.3; }

# The text of the message box that is up now ("提示" caption), after waiting for it.
e2e_message() {
  local line hwnd
  line="$(e2e_probe wait '#32770' "${1:-提示}" 10000)" || return 1
  hwnd="${line%% *}"
  # The message box's text is its static control; the button captions follow it.
  e2e_probe texts "$hwnd" | grep -v -x -e 'OK' -e '确定' -e 'Cancel' -e '取消' | head -1
}

# Screenshot of the whole screen, or of the window found last with "window".
e2e_shot() {
  local file="$E2E_OUT/$1.png"
  [ -n "${DISPLAY:-}" ] || return 0
  if [ "${2:-}" = window ]; then
    import -display "$DISPLAY" -window root -crop "$((WIN_R - WIN_L))x$((WIN_B - WIN_T))+$WIN_L+$WIN_T" +repage "$file" 2>/dev/null || true
  else
    import -display "$DISPLAY" -window root "$file" 2>/dev/null || true
  fi
  echo "$file"
}

e2e_expect_eq() {
  if [ "$1" != "$2" ]; then e2e_fail "${3:-value}: expected '$2', got '$1'"; fi
  e2e_log "ok: ${3:-value} = '$1'"
}
