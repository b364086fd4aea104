#!/usr/bin/env bash
# Builds Vantorel and runs the bitmap library's pixel benchmark three times under Wine, each run
# in a private Xvfb. Installs whatever is missing first. The image controls' repainting has a
# script of its own: scripts/bench-view.sh.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_bench.exe
