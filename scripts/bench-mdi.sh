#!/usr/bin/env bash
# Builds Vantorel and runs the skinned MDI arrangement benchmark three times under Wine, each
# run on a private virtual display: Tile and Cascade of 50 skinned children against 50 plain
# ones.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_mdi_bench.exe
