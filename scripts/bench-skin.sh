#!/usr/bin/env bash
# Builds Vantorel and runs the skin data benchmark three times under Wine, each run on a private
# virtual display (pictures and regions go through the system's graphics). The skinned frame
# has a script of its own: scripts/bench-form.sh.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_skin_bench.exe
