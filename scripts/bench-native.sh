#!/usr/bin/env bash
# Builds the bitmap library's platform-free pixel code, TBitmap32 and its polygon fill natively
# with the host compiler and runs the blend benchmark against pixman and the polygon fills
# (aliased and antialiased) against cairo, three times. Installs whatever is missing first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_native_bench
log "Running the native benchmark"
run_three_times "$NATIVE_BUILD_DIR/vantorel_bench_native"
