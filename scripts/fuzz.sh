#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (sanitizers on) into ./build-fuzz and
# runs each one briefly over its seed corpus. ZEN_FUZZ_SECONDS sets the time.
# The property-list and XML readers take inputs of a few megabytes, and a
# nesting far deeper than any stack allows is generated for them here (too
# big to keep in the repository).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${ZEN_FUZZ_SECONDS:-20}"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DZEN_FUZZ=ON -DBUILD_TESTING=OFF -DZEN_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_all
for target in build-fuzz/tests/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue  # skip the autogen folders
  name=$(basename "$target")
  corpus=$(mktemp -d)
  cp tests/fuzz/seeds/"${name#fuzz_}"/* "$corpus"/ 2>/dev/null || true
  max_len=65536
  case "$name" in
    fuzz_plist_read | fuzz_xml_read)
      max_len=4194304
      { printf '<plist version="1.0">'
        printf '<array>%.0s' $(seq 200000)
        printf '</array>%.0s' $(seq 200000)
        printf '</plist>'; } >"$corpus/deep_generated.xml" ;;
  esac
  echo "fuzzing $name for ${seconds}s (inputs up to $max_len bytes)"
  QT_QPA_PLATFORM=offscreen "$target" -max_total_time="$seconds" -max_len="$max_len" "$corpus" >"$corpus.log" 2>&1 \
    || { tail -n 60 "$corpus.log"; exit 1; }
  tail -n 1 "$corpus.log"
  rm -rf "$corpus" "$corpus.log"
done
