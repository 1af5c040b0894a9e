#!/usr/bin/env bash
# Builds what the program needs to run (the program, the lexicon tool and
# word.lst, not the tests or benchmarks), checks the built lexicon with the
# lexicon tool, then starts the program. The program works in the user's
# working folder ($ZENDRAQUIL_HOME, else $XDG_DATA_HOME/Zendraquil), which
# its first start seeds with word.lst and the sample word sets from
# build/share/zendraquil, as an installed program seeds it from
# /usr/share/zendraquil.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target zendraquil zendraquil-lex wordlist
(cd build/share/zendraquil && "$root/build/bin/zendraquil-lex" verify)
echo "Working folder: ${ZENDRAQUIL_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/Zendraquil}"
cd "${HOME:-/}"
exec "$root/build/bin/zendraquil"
