#!/usr/bin/env bash
# Sets up, builds and runs the saver. Arguments go to the program: /c opens the settings dialog,
# /s (the default) runs the saver. Without a display it renders a snapshot to saver.png instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
saver=build/release/host/tarnik-saver
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  out="${SNAPSHOT:-$PWD/saver.png}"
  "$saver" --snapshot "$out" --size 1280x720
  echo "No display: the saver was rendered to $out"
else
  exec "$saver" "${@:-/s}"
fi
