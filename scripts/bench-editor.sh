#!/usr/bin/env bash
# Builds Vantorel and runs the editor benchmark three times under Wine, each run in a private
# Xvfb (the benchmark shows the real main window). Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_editor_bench.exe "$@"
