#!/usr/bin/env bash
# Sets up a fresh Debian bookworm machine, builds Zentravelle and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/startup/zentravelle
