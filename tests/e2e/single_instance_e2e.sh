#!/usr/bin/env bash
# A second start while a copy runs under the default title shows nothing and ends at once; with
# another display name configured, a second copy runs beside the first.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_begin
e2e_reg_clear

count_logins() { e2e_probe list | grep -c ' TfmLogin ' || true; }

e2e_start_client
first=$E2E_CLIENT_PID
e2e_wait_window TfmLogin || e2e_fail "the first copy did not appear"

start=$(date +%s%N)
wine "$E2E_EXE" </dev/null >/dev/null 2>&1 && rc=0 || rc=$?
ms=$(( ($(date +%s%N) - start) / 1000000 ))
e2e_expect_eq "$rc" "0" "exit code of the second start"
e2e_log "the second start ended after $ms ms"
e2e_expect_eq "$(count_logins)" "1" "sign-in windows shown"
kill -0 "$first" 2>/dev/null || e2e_fail "the first copy ended"

# With another title the running copy is not found: a second one starts.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
wineserver -p </dev/null >/dev/null 2>&1 || true
e2e_reg_set Title "分店"
e2e_start_client
e2e_wait_window TfmLogin || e2e_fail "the first copy did not appear"
e2e_start_client
for _ in $(seq 100); do [ "$(count_logins)" = 2 ] && break; sleep 0.1; done
e2e_expect_eq "$(count_logins)" "2" "sign-in windows shown with a configured title"
