#!/usr/bin/env bash
# Builds Vantorel and runs the skin data and skinned frame benchmarks three times each under
# Wine, each run on a private virtual display (pictures and regions go through the system's
# graphics).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_skin_bench.exe
run_gui_bench vantorel_form_bench.exe
