#!/usr/bin/env bash
# Sets up a fresh Debian bookworm machine, builds Zentravelle and runs every
# test: the unit, widget and end-to-end tests through CTest, then a short run of
# each fuzz target under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
(cd build && ctest --output-on-failure --no-tests=error -j "$(nproc)")
scripts/fuzz.sh
