#!/bin/sh
# Runs every benchmark program of a build and prints its figures.
set -e
BUILD=${1:-build}
for bench in "$BUILD"/bench/*/*_bench; do
    [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    "$bench"
done
