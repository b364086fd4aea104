#!/usr/bin/env bash
# Builds the bitmap library's platform-free pixel code, TBitmap32 and its polygon fill natively
# with the host compiler and runs the blend benchmark against pixman and the polygon fills
# (aliased and antialiased) against cairo, three times. Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

REQUIRED_PACKAGES=(g++ cmake ninja-build pkg-config libpixman-1-dev libcairo2-dev)
NATIVE_BUILD_DIR=$BUILD_ROOT/bench-native

install_packages
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
log "Configuring and building the native benchmark"
cmake -S "$VANTOREL_ROOT/bench/native" -B "$NATIVE_BUILD_DIR" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DVANTOREL_WERROR=$werror >/dev/null
cmake --build "$NATIVE_BUILD_DIR"
log "Running the native benchmark"
run_three_times "$NATIVE_BUILD_DIR/vantorel_bench_native"
