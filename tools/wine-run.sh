#!/usr/bin/env bash
# Runs one Windows program under Wine in the test prefix (the emulator ctest uses).
source "$(dirname "$0")/wine-env.sh"
exec wine "$@"
