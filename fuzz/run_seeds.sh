#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz build for SECONDS (default 5) each, starting from the
# project's test files and fuzz/seeds; inputs found on the way go to a temporary folder, never into
# tests/data.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-5}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in build/fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    mkdir -p "$work/$name"
    echo "$name: ${seconds} s from tests/data and fuzz/seeds"
    "$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix=build/fuzz/ \
        "$work/$name" tests/data fuzz/seeds \
        >"$work/$name.log" 2>&1 || { cat "$work/$name.log"; exit 1; }
    grep -E '^stat::number_of_executed_units' "$work/$name.log"
done
