#!/usr/bin/env bash
# Builds Vantorel and runs the skinned frame benchmark three times under Wine, each run on a
# private virtual display (the forms and the modal dialog are real windows).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

run_gui_bench vantorel_form_bench.exe
