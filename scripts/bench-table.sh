#!/usr/bin/env bash
# Builds Vantorel and runs the table benchmark under Wine in a private Xvfb (the benchmark
# shows a real window). Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project
export_wine_env
init_wine_prefix
log "Running the table benchmark"
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  wine "$CMAKE_BUILD_DIR/bin/vantorel_table_bench.exe" "$@"
