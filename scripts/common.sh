# Shared set-up for scripts/run.sh and scripts/test.sh: installs what is
# missing, builds the dependencies that Debian does not ship for mingw, and
# configures and builds the project. Sourced, not run.

set -euo pipefail

VANTOREL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${VANTOREL_BUILD_ROOT:-$VANTOREL_ROOT/build}
CMAKE_BUILD_DIR=$BUILD_ROOT/vantorel
DEPS_DIR=$BUILD_ROOT/deps
WINE_PREFIX_DIR=$BUILD_ROOT/wine
TOOLCHAIN_FILE=$VANTOREL_ROOT/cmake/mingw-w64-x86_64.cmake

REQUIRED_PACKAGES=(
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 xvfb cmake ninja-build
  libz-mingw-w64-dev googletest fonts-liberation fonts-wine dpkg-dev python3 x11-apps xauth
  g++ pkg-config libpixman-1-dev libcairo2-dev
)
NATIVE_BUILD_DIR=$BUILD_ROOT/bench-native

log() { printf '==> %s\n' "$*"; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local missing=()
  for pkg in "${REQUIRED_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "Installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# apt-get source needs deb-src entries; derive them from the machine's own
# Debian entries when there are none.
ensure_deb_src() {
  if apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package:'; then return 0; fi
  log "Adding deb-src entries for the machine's Debian suites"
  local out=/etc/apt/sources.list.d/vantorel-deb-src.sources
  local tmp; tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    [ "$f" = "$out" ] && continue
    # Copy each "Types: deb" stanza that points at a Debian archive as deb-src.
    awk 'BEGIN { RS=""; ORS="\n\n" }
         /(^|\n)Types:[^\n]*deb/ && /debian/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" >>"$tmp"
  done
  if [ -e /etc/apt/sources.list ]; then
    grep -E '^deb[[:space:]].*debian' /etc/apt/sources.list | sed 's/^deb[[:space:]]/deb-src /' |
      while read -r line; do
        # One-line entries become a stanza of their own.
        set -- $line
        shift; uri=$1; shift; suite=$1; shift
        printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n\n' "$uri" "$suite" "$*"
      done >>"$tmp"
  fi
  as_root install -m 0644 "$tmp" "$out"
  rm -f "$tmp"
  as_root apt-get update -qq
}

# libjpeg: Debian has no mingw build, so cross-build its own source package.
build_libjpeg() {
  local prefix=$DEPS_DIR/libjpeg
  [ -e "$prefix/.built" ] && return 0
  ensure_deb_src
  log "Building libjpeg-turbo for Windows from Debian's source package"
  local src=$DEPS_DIR/src
  rm -rf "$src" "$prefix"
  mkdir -p "$src"
  (cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
  local dir; dir=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  [ -n "$dir" ] || { echo "apt-get source libjpeg-turbo produced no source folder" >&2; return 1; }
  cmake -S "$dir" -B "$src/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DWITH_JAVA=OFF -DCMAKE_POLICY_DEFAULT_CMP0091=NEW >"$src/configure.log" 2>&1 ||
    { cat "$src/configure.log" >&2; return 1; }
  cmake --build "$src/build" --target install >"$src/build.log" 2>&1 ||
    { tail -n 50 "$src/build.log" >&2; return 1; }
  rm -rf "$src"
  touch "$prefix/.built"
}

# Builds everything, or only the targets named.
build_project() {
  install_packages
  build_libjpeg
  # CI treats warnings as errors; elsewhere the cached choice stands, so that
  # switching between the two commands does not rebuild everything.
  local werror=()
  [ "${CI:-}" = "true" ] && werror=(-DVANTOREL_WERROR=ON)
  if [ ! -e "$CMAKE_BUILD_DIR/build.ninja" ]; then
    log "Configuring"
    cmake -S "$VANTOREL_ROOT" -B "$CMAKE_BUILD_DIR" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" -DCMAKE_BUILD_TYPE=Release \
      -DVANTOREL_JPEG_ROOT="$DEPS_DIR/libjpeg" "${werror[@]}" >/dev/null
  elif [ ${#werror[@]} -gt 0 ]; then
    cmake "${werror[@]}" "$CMAKE_BUILD_DIR" >/dev/null
  fi
  # The build runs skinwrite under Wine in the project's prefix, which must exist
  # first; its wineserver must have ended before a script starts its own.
  export_wine_env
  init_wine_prefix
  log "Building"
  if [ $# -gt 0 ]; then
    cmake --build "$CMAKE_BUILD_DIR" --target "$@"
  else
    cmake --build "$CMAKE_BUILD_DIR"
  fi
  wineserver -w
}

# The native benchmark, built with the host compiler against pixman and cairo: the test
# command builds it so that it cannot rot unnoticed, scripts/bench-native.sh runs it.
build_native_bench() {
  install_packages
  local werror=OFF
  [ "${CI:-}" = "true" ] && werror=ON
  log "Building the native benchmark"
  cmake -S "$VANTOREL_ROOT/bench/native" -B "$NATIVE_BUILD_DIR" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DVANTOREL_WERROR=$werror >/dev/null
  cmake --build "$NATIVE_BUILD_DIR"
}

export_wine_env() {
  export WINEPREFIX=$WINE_PREFIX_DIR
  export WINEARCH=win64
  # Never offer to download or install Mono or Gecko.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree=;mshtml="}
  export WINEDEBUG=${WINEDEBUG:--all}
  # The same locale and time zone on every machine: locale names, formats and the clock.
  export LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
}

# Creates the Wine prefix once: Wine (not a window manager) draws non-client
# areas, and the fonts the program names map to metric-compatible families.
init_wine_prefix() {
  [ -e "$WINEPREFIX/.vantorel-ready" ] && { link_wine_fonts; return 0; }
  log "Creating the Wine prefix"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  local reg; reg=$(mktemp --suffix=.reg)
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
"Managed"="N"
"UseTakeFocus"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
  rm -f "$reg"
  link_wine_fonts
  touch "$WINEPREFIX/.vantorel-ready"
}

# Debian keeps Wine's own fonts (Marlett for the caption buttons, Tahoma …)
# outside the prefix, where this Wine does not look for them.
link_wine_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] || return 0
  for font in /usr/share/wine/fonts/*; do
    [ -e "$fonts/${font##*/}" ] || ln -s "$font" "$fonts/"
  done
}

# Starts a private Xvfb with one screen of the given geometry (1280x1024x24) in its own session,
# sets xvfb_pid (the caller stops it by that pid) and exports DISPLAY. Xvfb picks a free display
# itself and reports its number on a pipe.
start_xvfb() {
  local display_file
  display_file=$(mktemp)
  setsid Xvfb -displayfd 9 -screen 0 "$1" -nolisten tcp 9>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb failed to start" >&2; exit 1; }
    sleep 0.1
  done
  export DISPLAY=":$(head -n 1 "$display_file")"
  rm -f "$display_file"
  log "Xvfb on display $DISPLAY"
}

# Runs the command with a private Xvfb of the given screen geometry on DISPLAY, and stops that
# Xvfb when the command ends (in a subshell of its own, whatever the caller traps).
run_with_xvfb() {
  local screen=$1
  shift
  (
    xvfb_pid=""
    trap 'if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi' EXIT
    start_xvfb "$screen"
    "$@"
  )
}

# Runs a program of the build under Wine with the remaining arguments, then waits for the
# prefix's wineserver to end: a server left from one run would give the next run's windows
# to a display that no longer exists.
run_wine_program() {
  local program=$1 status=0
  shift
  wine "$CMAKE_BUILD_DIR/bin/$program" "$@" || status=$?
  wineserver -w
  return "$status"
}

# Every benchmark runs three times, one run after the other: the command with its arguments.
# Each run's output is shown as it comes, without the ratio records (bench/BenchRatio.h);
# then bench_summary.py gives the minimum, median and maximum of every ratio, "met" only where
# all three runs met the target. A run that fails (a wrong result, a crash) ends the script
# with its status: no figure of a failed run counts.
BENCH_RUNS=3
run_three_times() {
  local dir run status
  local outputs=()
  dir=$(mktemp -d)
  for run in $(seq "$BENCH_RUNS"); do
    log "Run $run of $BENCH_RUNS"
    status=0
    "$@" | tee "$dir/run$run.txt" | { grep -v $'^ratio\t' || true; } || status=${PIPESTATUS[0]}
    if [ "$status" -ne 0 ]; then
      echo "Run $run of $BENCH_RUNS failed (exit status $status): no figure of these runs counts" >&2
      rm -rf "$dir"
      return "$status"
    fi
    outputs+=("$dir/run$run.txt")
  done
  status=0
  python3 "$VANTOREL_ROOT/scripts/bench_summary.py" "${outputs[@]}" || status=$?
  rm -rf "$dir"
  return "$status"
}

# Builds, then runs a benchmark program of the build three times under Wine, each run on a
# private virtual display of its own (the GUI benchmarks show real windows), passing on the
# remaining arguments. BENCH_SCREEN gives another screen geometry.
run_gui_bench() {
  local program=$1
  shift
  build_project
  export_wine_env
  init_wine_prefix
  log "Running $program"
  run_three_times run_with_xvfb "${BENCH_SCREEN:-1280x1024x24}" run_wine_program "$program" "$@"
}
