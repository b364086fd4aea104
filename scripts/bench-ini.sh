#!/usr/bin/env bash
# Builds Vantorel and runs the INI document benchmark three times under Wine (no display
# needed). Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project
export_wine_env
init_wine_prefix
log "Running the INI benchmark"
run_three_times run_wine_program vantorel_ini_bench.exe
