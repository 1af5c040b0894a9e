#!/usr/bin/env bash
# Builds the Debian package, zendraquil_VERSION_ARCH.deb, into build/package/,
# from the optimised build (the one the test command makes); its
# dependencies come from the programs' shared libraries. Prints the
# package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"

scripts/install-deps.sh dpkg-dev file
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" \
    --target zendraquil zendraquil-lex wordlist desktopdata
rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/package/zendraquil_*.deb)
[ "$(echo "$deb" | wc -l)" -eq 1 ] || { echo "package.sh: expected one package, got: $deb" >&2; exit 1; }
echo "$deb"
