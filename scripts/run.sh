#!/usr/bin/env bash
# Builds Zendraquil and runs it on the shipped lexicon in the user's working
# folder (created and seeded with word.lst and the sample word sets on the
# first run): checks the lexicon there with the lexicon tool, then starts the
# program, which works in its current folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

work="${ZENDRAQUIL_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/Zendraquil}"
mkdir -p "$work"
if [ ! -f "$work/word.lst" ]; then
    echo "Building the lexicon into $work ..."
    lexicon/build.sh -o "$work" -t "$root/build/bin/zendraquil-lex"
    cp -n data/*.wordset "$work/"
fi
echo "Working folder: $work"
cd "$work"
"$root/build/bin/zendraquil-lex" verify
exec "$root/build/bin/zendraquil"
