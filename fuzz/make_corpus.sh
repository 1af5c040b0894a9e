#!/bin/sh
# Makes the seed corpus of every fuzz target from the project's own data: a
# word.lst built by lexicon/build.sh, the sample word sets of data/, the
# curated entries of lexicon/entries.txt, and edge cases (see MakeSeeds.cpp).
#
#   fuzz/make_corpus.sh BUILD_FOLDER OUTPUT_FOLDER
#
# BUILD_FOLDER is the fuzz build (it holds bin/zendraquil-lex and
# bin/make_seeds); OUTPUT_FOLDER gets one folder of seeds per target.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
out=$2

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
"$root/lexicon/build.sh" -o "$tmp" -t "$build/bin/zendraquil-lex" >/dev/null
rm -rf "$out"
mkdir -p "$out"
"$build/bin/make_seeds" "$out" "$tmp/word.lst" "$root/data" "$root/lexicon/entries.txt"
