#!/usr/bin/env bash
# Builds the project and runs the benchmarks on the shipped lexicon, then
# measures the lexicon tool's load time and peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"
for b in build/bin/*_bench; do "$b" "$@"; done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
lexicon/build.sh -o "$tmp" -t "$(pwd)/build/bin/zendraquil-lex" >/dev/null
(cd "$tmp" && "$OLDPWD/build/bin/zendraquil-lex" verify)
