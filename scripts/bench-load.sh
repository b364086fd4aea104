#!/usr/bin/env bash
# Builds Vantorel and runs the form loading benchmark under Wine in a private Xvfb (the
# skinned radio group measures its lines in a font). Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_load_bench.exe "$@"
