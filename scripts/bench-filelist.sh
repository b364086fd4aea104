#!/usr/bin/env bash
# Builds Vantorel and runs the file list benchmark three times under Wine, each run on a
# private virtual display (the list is a real window over a folder under Wine's C: drive).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_filelist_bench.exe
