#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the tests of an optimised
# build, the same tests built with address and undefined-behaviour sanitizers,
# and the lexicon scripts' tests and data checks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# A locale with a decimal comma, to check that records never depend on the
# user's locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE.utf-\?8$'; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null || true
fi
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
# The Debian package: its contents, validators, and the unpacked programs run.
scripts/check-package.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZQ_SANITIZE=ON \
    -DZQ_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

python3 -m unittest discover -s lexicon -p 'test_*.py'
python3 lexicon/coverage.py
python3 lexicon/provenance.py
scripts/fuzz.sh 30
