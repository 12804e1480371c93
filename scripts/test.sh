#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
# GAVREL_SANITIZE=1 runs the same tests on the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
dir=build
[[ "${GAVREL_SANITIZE:-0}" == 1 ]] && dir=build-asan

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 600
