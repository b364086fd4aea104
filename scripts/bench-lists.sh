#!/usr/bin/env bash
# Builds Vantorel and runs the check list box and font combo box benchmark under Wine on a
# private virtual display (the lists are real windows, the fonts Wine's own).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_lists_bench.exe
