#!/usr/bin/env bash
# Builds Vantorel and runs the bitmap library benchmarks three times each under Wine, each run
# in a private Xvfb: the pixel code, then the repainting of image controls (on a screen with
# room for a 1920 by 1080 client area with its frame). Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_bench.exe
BENCH_SCREEN=2048x1280x24 run_gui_bench vantorel_view_bench.exe
