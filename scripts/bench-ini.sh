#!/usr/bin/env bash
# Builds Vantorel and runs the INI document benchmark under Wine (no display needed).
# Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project
export_wine_env
init_wine_prefix
log "Running the INI benchmark"
exec wine "$CMAKE_BUILD_DIR/bin/vantorel_ini_bench.exe"
