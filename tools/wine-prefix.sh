#!/usr/bin/env bash
# Prepares a Wine prefix once: code page 936, crash debugger off, Wine's fonts and the Chinese
# font replacements. Usage: wine-prefix.sh [null|desktop]
#   null     no display: Wine's null graphics driver (unit and component tests)
#   desktop  a 1024x768 Wine virtual desktop on $DISPLAY (end-to-end tests, screenshots)
set -euo pipefail
mode="${1:-null}"
source "$(dirname "$0")/wine-env.sh"

if [ -f "$WINEPREFIX/.order-ready-$mode" ]; then exit 0; fi
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"

wineboot -i </dev/null >/dev/null 2>&1
wineserver -w

reg() { wine reg add "$@" /f </dev/null >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
reg 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'WenQuanYi Zen Hei'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /d 'WenQuanYi Zen Hei'
if [ "$mode" = null ]; then
  reg 'HKCU\Software\Wine\Drivers' /v Graphics /d null
else
  reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
  reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
fi
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
wineserver -w
touch "$WINEPREFIX/.order-ready-$mode"
