#!/usr/bin/env bash
# Builds Vantorel and measures its cold start, from process creation to the first painted
# main window, against a bare Win32 window program under the same Wine, three times, each in
# a private Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project
export_wine_env
bin=$CMAKE_BUILD_DIR/bin
run_gui_bench vantorel_startup_bench.exe "$(winepath -w "$bin/vantorel.exe")" \
  "$(winepath -w "$bin/vantorel_bare_window.exe")" "$@"
