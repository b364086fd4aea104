#!/usr/bin/env bash
# Builds Vantorel and runs the bitmap library benchmark under Wine. The pixel code needs no
# display, so none is started. Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project
export_wine_env
init_wine_prefix
log "Running the benchmark"
exec wine "$CMAKE_BUILD_DIR/bin/vantorel_bench.exe"
