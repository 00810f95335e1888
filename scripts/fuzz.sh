#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang and runs each for FUZZ_SECONDS (default 60).
# Seeds come from tests/fuzz/corpus/<target>; what a run learns stays in build/fuzz/corpus, and the
# input of any finding is written to build/fuzz/findings. Ends with failure when a target found one.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
build=build/fuzz
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)

CC=clang CXX=clang++ cmake -S tests/fuzz -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

mkdir -p "$build/findings"
# The settings and CD database targets save files, and every save is synced: keep them in memory.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    TMPDIR=$(mktemp -d -p /dev/shm velmaro-fuzz.XXXXXX)
    export TMPDIR
    trap 'rm -rf "$TMPDIR"' EXIT
fi
failed=()
for target in "$build"/*_fuzz; do
    name=$(basename "$target" _fuzz)
    mkdir -p "$build/corpus/$name"
    echo "== $name: ${seconds} s"
    if ! ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$target" -max_total_time="$seconds" -timeout=20 -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$name-" \
        "$build/corpus/$name" "tests/fuzz/corpus/$name" 2>"$build/$name.log"; then
        failed+=("$name")
        tail -n 40 "$build/$name.log"
    fi
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$build/$name.log" | sed "s/^/   /" || true
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Findings in: ${failed[*]} (inputs in $build/findings)" >&2
    exit 1
fi
