#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/, with clang, libFuzzer and the address and
# undefined-behaviour sanitizers) into build-fuzz/, makes their seed corpora,
# and runs every target for the given number of seconds, one after another.
#
#   scripts/fuzz.sh SECONDS [TARGET...]
#
# Each target keeps the inputs it found in build-fuzz/corpus/TARGET from one
# run to the next; an input that fails is written to build-fuzz/artifacts/ and
# the script exits 1 after the remaining targets. Logs: build-fuzz/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
    sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
fi
seconds=$1
shift

scripts/install-deps.sh clang libclang-rt-14-dev

build=build-fuzz
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
fuzz/make_corpus.sh "$build" "$build/seeds"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_codec_decode fuzz_codec_roundtrip fuzz_wordlist_load fuzz_records_roundtrip
             fuzz_wordset fuzz_statistics fuzz_import_line fuzz_search_pattern
             fuzz_player_list)
fi
mkdir -p "$build/logs" "$build/artifacts"
failed=()
printf '%-24s %12s %8s %8s %8s  %s\n' target executions cov ft corpus result
for t in "${targets[@]}"; do
    mkdir -p "$build/corpus/$t"
    log="$build/logs/$t.log"
    status=ok
    # -timeout: an input taking longer than 10 s counts as a hang.
    "$build/bin/$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$t-" "$build/corpus/$t" "$build/seeds/$t" \
        >"$log" 2>&1 || status=FAILED
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    corp=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$last")
    printf '%-24s %12s %8s %8s %8s  %s\n' "$t" "${runs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" \
        "$status"
    if [ "$status" != ok ]; then
        failed+=("$t")
        grep -v '^#' "$log" | tail -40 >&2
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz.sh: failing targets: ${failed[*]} (inputs in $build/artifacts/)" >&2
    exit 1
fi
