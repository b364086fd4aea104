#!/usr/bin/env bash
# Builds Vantorel and runs the form loading benchmark three times under Wine, each run on a
# private virtual display (the skinned radio group measures its lines in a font).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_load_bench.exe "$@"
