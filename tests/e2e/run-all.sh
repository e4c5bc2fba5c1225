#!/usr/bin/env bash
# Runs every end-to-end script (tests/e2e/*_e2e.sh), each in its own Xvfb and Wine session.
set -uo pipefail
cd "$(dirname "$0")"
failed=()
for script in ./*_e2e.sh; do
  [ -e "$script" ] || continue
  bash "$script" || failed+=("$script")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "end-to-end failures: ${failed[*]}" >&2
  exit 1
fi
echo "end-to-end: all passed"
