#!/usr/bin/env bash
# Measures how long the program takes from process start to the picture menu
# on the screen with the full lexicon, and its peak memory: several runs on a
# virtual X display, median reported. The program is started with
# ZENDRAQUIL_STARTUP_PROBE set, which makes it print the moment it first
# paints the picture menu and its peak memory, then exit. Logon is skipped
# through temporary settings; the user's own are not touched.
#
# Usage: scripts/startup-time.sh [RUNS]   (default 9; BUILD_DIR selects the build)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs="${1:-9}"
build="${BUILD_DIR:-build}"

scripts/install-deps.sh
if ! command -v Xvfb >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends xvfb
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target zendraquil zendraquil-lex
bin="$root/$build/bin"
[ -d "$bin" ] || bin="$build/bin"

tmp=$(mktemp -d)
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
mkdir -p "$tmp/work" "$tmp/config/Tarnwick Software" "$tmp/runtime"
chmod 700 "$tmp/runtime"
lexicon/build.sh -o "$tmp/work" -t "$bin/zendraquil-lex" >/dev/null
cp data/*.wordset "$tmp/work/"
printf '[Settings]\nNoLogon=1\n' >"$tmp/config/Tarnwick Software/Zendraquil.conf"

display=:${STARTUP_DISPLAY:-96}
Xvfb "$display" -screen 0 800x500x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
sleep 0.3

times=()
peaks=()
cd "$tmp/work"
for i in $(seq "$runs"); do
    start=$(date +%s%N)
    DISPLAY=$display XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/runtime" \
        ZENDRAQUIL_STARTUP_PROBE=1 "$bin/zendraquil" 2>"$tmp/probe.txt"
    shown=$(awk '$1 == "menu-shown-ns" { print $2 }' "$tmp/probe.txt")
    peak=$(awk '$1 == "peak-kb" { print $2 }' "$tmp/probe.txt")
    [ -n "$shown" ] || { echo "run $i: the picture menu was not shown" >&2; cat "$tmp/probe.txt" >&2; exit 1; }
    ms=$(( (shown - start) / 1000000 ))
    times+=("$ms")
    peaks+=("$peak")
    echo "run $i: picture menu after $ms ms, peak memory $((peak / 1024)) MB"
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
echo "median over $runs runs: $(median "${times[@]}") ms to the picture menu," \
    "peak memory $(( $(median "${peaks[@]}") / 1024 )) MB"
