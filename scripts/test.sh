#!/usr/bin/env bash
# Builds Vantorel and runs every test under Wine inside a private Xvfb.
# Installs whatever is missing first. Exits non-zero when any test fails.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project
build_native_bench
log "Checking that no unit includes a higher one"
python3 "$VANTOREL_ROOT/scripts/check_layers.py" "$VANTOREL_ROOT"
log "Checking that no two libraries define the same global symbol"
python3 "$VANTOREL_ROOT/scripts/check_symbols.py" "$CMAKE_BUILD_DIR"
export_wine_env

xvfb_pid=""
wineserver_pid=""
cleanup() {
  local status=$?
  trap - EXIT INT TERM
  if [ -n "$wineserver_pid" ]; then
    wineserver -k 2>/dev/null || true   # the processes of our own prefix only
    kill "$wineserver_pid" 2>/dev/null || true
    wait "$wineserver_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

start_xvfb 1280x1024x24

# One persistent wineserver for the whole run, so each test program starts fast.
# Own session, so an interrupt reaches the cleanup before it reaches them.
mkdir -p "$WINEPREFIX"
setsid wineserver -f -p >/dev/null 2>&1 &
wineserver_pid=$!
# The server is ready once its socket exists in the folder it works in.
for _ in $(seq 100); do
  [ -S "/proc/$wineserver_pid/cwd/socket" ] && break
  kill -0 "$wineserver_pid" 2>/dev/null || { echo "wineserver failed to start" >&2; exit 1; }
  sleep 0.1
done
init_wine_prefix
# Start Wine's services once, before test programs start side by side.
wineboot >/dev/null 2>&1

log "Running tests"
cd "$CMAKE_BUILD_DIR"
ctest --output-on-failure --timeout 300 -j "${VANTOREL_TEST_JOBS:-$(nproc)}" "$@"
