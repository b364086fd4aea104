#!/usr/bin/env bash
# Builds Vantorel and runs the bitmap library benchmarks under Wine in a private Xvfb (stopped
# by its pid when the script ends): the pixel code, then the repainting of image controls.
# Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project
export_wine_env

xvfb_pid=""
stop_xvfb() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap stop_xvfb EXIT
# Every Wine program of the run shares one display: room for a 1920 by 1080 client area with
# its frame.
start_xvfb 2048x1280x24
init_wine_prefix
log "Running the pixel benchmark"
wine "$CMAKE_BUILD_DIR/bin/vantorel_bench.exe"
log "Running the repaint benchmark"
wine "$CMAKE_BUILD_DIR/bin/vantorel_view_bench.exe"
