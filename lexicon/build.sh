#!/bin/sh
# Build word.lst, the program's compressed lexicon, from the ENABLE word list
# and the curated definitions in lexicon/entries.txt.
#
#   lexicon/build.sh [-e ENABLE_LIST] [-o OUTPUT_FOLDER] [-t ZENDRAQUIL_LEX]
#
# ENABLE_LIST   default $ZQ_ENABLE, else lexicon/enable1.txt
# OUTPUT_FOLDER default build/  (word.lst is written there)
# ZENDRAQUIL_LEX default $ZQ_LEX, else build/bin/zendraquil-lex
#
# Every ENABLE word of three letters or more goes in as a bare word; the
# records of entries.txt then replace those words with their definitions.
# One- and two-letter words are left out: the program has them built in.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
enable=${ZQ_ENABLE:-$here/enable1.txt}
outdir=$root/build
tool=${ZQ_LEX:-$root/build/bin/zendraquil-lex}

while getopts e:o:t:h opt; do
    case $opt in
        e) enable=$OPTARG ;;
        o) outdir=$OPTARG ;;
        t) tool=$OPTARG ;;
        *) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
    esac
done

[ -r "$enable" ] || { echo "build.sh: cannot read word list $enable (use -e or ZQ_ENABLE)" >&2; exit 1; }
[ -x "$tool" ] || { echo "build.sh: no zendraquil-lex at $tool (build the project first, or use -t)" >&2; exit 1; }
[ -r "$here/entries.txt" ] || { echo "build.sh: missing $here/entries.txt" >&2; exit 1; }

mkdir -p "$outdir"
outdir=$(cd "$outdir" && pwd)
tool=$(cd "$(dirname "$tool")" && pwd)/$(basename "$tool")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

# Bare words: lower-case a-z only, three letters or more, each once.
tr -d '\r' < "$enable" | awk 'length($0) > 2 && $0 ~ /^[a-z]+$/' | LC_ALL=C sort -u > "$tmp/words.txt"

cd "$outdir"
"$tool" import "$tmp/words.txt" "$here/entries.txt"
echo "word.lst: $(wc -l < "$tmp/words.txt") words, $(wc -l < "$here/entries.txt") with definitions -> $outdir/word.lst"
