#!/bin/sh
# Runs one golden case of the lexicon tool and compares its output with the
# recorded one; with ZQ_RECORD_GOLDEN=1 it records the output instead.
#
#   tests/golden/golden.sh ZENDRAQUIL_LEX NAME
set -eu
tool=$1
name=$2
here=$(cd "$(dirname "$0")" && pwd)
line=$(grep "^$name: " "$here/cases.txt") || { echo "golden.sh: no case $name" >&2; exit 2; }
args=${line#"$name: "}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
cd "$work"
"$tool" import "$here/lexicon.txt" >/dev/null
cp "$here/sample.wordset" .
status=0
eval "\"\$tool\" $args" >out.txt 2>&1 || status=$?
echo "exit: $status" >>out.txt
if [ "${ZQ_RECORD_GOLDEN:-0}" = 1 ]; then
    cp out.txt "$here/$name.out"
    echo "recorded $name.out"
    exit 0
fi
diff -u "$here/$name.out" out.txt
