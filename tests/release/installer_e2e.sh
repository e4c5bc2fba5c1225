#!/usr/bin/env bash
# The installer, silently under Wine: it installs the program and its shortcuts, the shortcut
# starts the program, and the uninstaller removes the files but keeps the user's settings (and
# removes them too when asked).
# Usage: installer_e2e.sh path/to/setup.exe
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
setup="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"

source "$root/tools/wine-env.sh"
base="$WINEPREFIX"
export WINEPREFIX="$root/build/wine/installer"
rm -rf "$WINEPREFIX"
cp -a "$base" "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT

fail() { echo "installer_e2e: $*" >&2; exit 1; }
appdata=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
dir_win="$appdata\\Programs\\OrderClient"
dir=$(winepath -u "$dir_win" 2>/dev/null)
desktop=$(winepath -u "$(wine cmd /c 'echo %USERPROFILE%\Desktop' 2>/dev/null | tr -d '\r')" 2>/dev/null)

echo "-- install"
wine "$setup" /S </dev/null
wineserver -w
for f in OrderClient.exe uninstall.exe 说明.txt README.txt; do
  [ -f "$dir/$f" ] || fail "missing after install: $dir/$f"
done
lnk="$desktop/客户订货系统.lnk"
[ -f "$lnk" ] || fail "no desktop shortcut: $lnk"
startmenu=$(find "$WINEPREFIX/drive_c/users" -path '*Start Menu/Programs/客户订货系统/客户订货系统.lnk' | head -n 1)
[ -n "$startmenu" ] || fail "no Start-menu shortcut"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\OrderClient' >/dev/null 2>&1 ||
  fail "no uninstall entry"

echo "-- the shortcut starts the program"
wine reg delete 'HKCU\Software\Orvanel' /f >/dev/null 2>&1 || true
wine start /unix "$lnk" </dev/null >/dev/null 2>&1 &
# The sign-in window's creation stores the sign-in mode: that is the program running.
started=no
for _ in $(seq 1 60); do
  if wine reg query 'HKCU\Software\Orvanel' /v Type 2>/dev/null | grep -q REG_SZ; then started=yes; break; fi
  sleep 0.5
done
[ "$started" = yes ] || fail "the shortcut did not start the program"
wine taskkill /im OrderClient.exe /f >/dev/null 2>&1 || true
sleep 1

echo "-- uninstall keeps the settings"
wine "$dir/uninstall.exe" /S </dev/null
for _ in $(seq 1 40); do [ -e "$dir/OrderClient.exe" ] || break; sleep 0.5; done
wineserver -w
[ ! -e "$dir/OrderClient.exe" ] || fail "program still there after uninstall"
[ ! -e "$lnk" ] || fail "desktop shortcut still there after uninstall"
wine reg query 'HKCU\Software\Orvanel' /v Type >/dev/null 2>&1 || fail "uninstall removed the settings"

echo "-- uninstall with /REMOVESETTINGS removes them"
wine "$setup" /S </dev/null
wineserver -w
wine "$dir/uninstall.exe" /S /REMOVESETTINGS </dev/null
for _ in $(seq 1 40); do [ -e "$dir/OrderClient.exe" ] || break; sleep 0.5; done
wineserver -w
[ ! -e "$dir/OrderClient.exe" ] || fail "program still there after the second uninstall"
if wine reg query 'HKCU\Software\Orvanel' >/dev/null 2>&1; then fail "settings kept despite /REMOVESETTINGS"; fi
echo "installer_e2e: passed"
