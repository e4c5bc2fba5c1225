# Sourced by the scripts that run Wine: one place for the prefix, the loader and the locale.
# ORDER_WINEPREFIX selects the prefix; the default is the test prefix inside the build tree.
_order_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${ORDER_WINEPREFIX:-$_order_root/build/wine/test}"
# Code page 936 (GBK) as on Simplified Chinese Windows, whatever the machine's locale.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# A crashing program exits at once instead of waiting in the debugger.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winedbg.exe=d}"
export WINEDEBUG="${WINEDEBUG:--all}"

# Some kernels have 32-bit emulation switched off: Wine's 32-bit loader cannot start there, and
# the tests run the 64-bit build of the same code under the 64-bit loader instead.
if [ -z "${ORDER_WINE_BITS:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then ORDER_WINE_BITS=32; else ORDER_WINE_BITS=64; fi
fi
export ORDER_WINE_BITS
if [ "$ORDER_WINE_BITS" = 64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  _order_shim="$_order_root/build/wine/bin"
  if [ ! -e "$_order_shim/wine-stable" ]; then
    mkdir -p "$_order_shim"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$_order_shim/wine"
    chmod +x "$_order_shim/wine"
    cp "$_order_shim/wine" "$_order_shim/wine-stable"
  fi
  case ":$PATH:" in *":$_order_shim:"*) ;; *) export PATH="$_order_shim:$PATH" ;; esac
  unset _order_shim
fi
unset _order_root
