#!/bin/sh
# Runs every libFuzzer target of a fuzz build for a bounded time. Crashes land in fuzz-out/NAME/.
set -e
BUILD=${1:-build-fuzz}
SECONDS_EACH=${2:-60}
status=0
for fuzzer in "$BUILD"/fuzzers/*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    out="fuzz-out/$name"
    mkdir -p "$out/corpus"
    seeds=""
    [ -d "fuzz/corpus/$name" ] && seeds="fuzz/corpus/$name"
    echo "== $name ($SECONDS_EACH s)"
    "$fuzzer" -max_total_time="$SECONDS_EACH" -timeout=5 -rss_limit_mb=1024 -artifact_prefix="$out/" \
        "$out/corpus" $seeds 2>"$out/log.txt" || { status=1; tail -n 30 "$out/log.txt"; }
    grep -E '^(#[0-9]+ +DONE|Done)' "$out/log.txt" | tail -n 1 || true
done
exit $status
