#!/usr/bin/env bash
# Runs the whole test suite (core, window, command-line and fuzz regression tests) of
# build/, or of $BUILD_DIR (build-asan for the sanitizer build).
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
# In a sanitizer build any report fails the test that caused it. Leaks count too, except
# fontconfig's process-wide caches, which it never frees.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)" "$@"
