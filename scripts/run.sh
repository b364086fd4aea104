#!/usr/bin/env bash
# Builds Vantorel and starts the editor under Wine. Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project vantorel
if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
No display is available (DISPLAY is not set), so the editor cannot open its window.
Run it on a virtual X server instead:
    xvfb-run -a -s "-screen 0 1280x1024x24" scripts/run.sh
MSG
  exit 1
fi
export_wine_env
init_wine_prefix
exec wine "$CMAKE_BUILD_DIR/bin/vantorel.exe"
