#!/usr/bin/env bash
# Takes the README's pictures of the window: starts Xvfb on a free display,
# opens the real window there, selects each page in turn and saves
# docs/screenshot-page1.png to docs/screenshot-page3.png, and the icon as
# docs/icon.png.
# GAVREL_BUILD_DIR=<dir> uses an existing build instead of building into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -n "${GAVREL_BUILD_DIR:-}" ]]; then
  dir=$GAVREL_BUILD_DIR
else
  bash scripts/install-deps.sh
  bash scripts/build.sh
  dir=build
fi
tool="$dir/app/gavrel_screenshots"
[[ -x "$tool" ]] || { echo "screenshots: $tool is missing; build it first" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the given fd.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [[ -s "$work/display" ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
[[ -s "$work/display" ]] || { echo "screenshots: Xvfb did not start" >&2; exit 1; }

mkdir -p docs
DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work" \
  "$tool" docs
