#!/usr/bin/env bash
# Sets up, builds and runs every test: unit tests on Qt's offscreen platform and end-to-end tests
# of the real executable, each under an Xvfb server of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build/release --output-on-failure -j"$(nproc)" "$@"
