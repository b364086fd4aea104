#!/usr/bin/env bash
# Builds Vantorel and runs the table benchmark three times under Wine, each run in a private
# Xvfb (the benchmark shows a real window). Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_table_bench.exe "$@"
