#!/usr/bin/env bash
# Configures and builds the project into build/ (or build-asan/ when
# GAVREL_SANITIZE=1, with AddressSanitizer and UndefinedBehaviorSanitizer).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${GAVREL_SANITIZE:-0}" == 1 ]]; then
  dir=build-asan
  flags=(-DGAVREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
else
  dir=build
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi

cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
