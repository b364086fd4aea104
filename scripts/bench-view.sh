#!/usr/bin/env bash
# Builds Vantorel and runs the image control benchmark (the optimiser's repaint against a full
# one) three times under Wine, each run in a private Xvfb with room for a 1920 by 1080 client
# area with its frame. Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

BENCH_SCREEN=2048x1280x24 run_gui_bench vantorel_view_bench.exe
