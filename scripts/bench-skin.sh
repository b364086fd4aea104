#!/usr/bin/env bash
# Builds Vantorel and runs the skin data and skinned frame benchmarks under Wine on a private virtual display
# (its pictures and regions go through the system's graphics).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project
export_wine_env
init_wine_prefix
log "Running the skin benchmark"
xvfb-run -a -s "-screen 0 1280x1024x24" wine "$CMAKE_BUILD_DIR/bin/vantorel_skin_bench.exe"
log "Running the skinned frame benchmark"
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$CMAKE_BUILD_DIR/bin/vantorel_form_bench.exe"
