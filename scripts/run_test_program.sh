#!/usr/bin/env bash
# Runs one test program: run_test_program.sh WINE PROGRAM ARGUMENTS...
# Its output passes through as it comes. A test program prints its first line before its first
# test, so one that ends with an error having printed nothing never started: Wine failed to start
# the process. That is said, with the status, and the program is started once more; a program that
# printed anything keeps its result.
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT

"$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ] && [ ! -s "$log" ]; then
  echo "$2 ended with status $status before printing anything: Wine did not start it; starting it once more."
  "$@" 2>&1
  status=$?
fi
exit "$status"
