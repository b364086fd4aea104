#!/usr/bin/env bash
# Builds Vantorel and runs the skinned rich edit benchmark under Wine on a private virtual
# display, three times (the editors are real windows, painted at every step).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_richedit_bench.exe
