#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz and runs each for a while; fails when a run finds a fault. The reproducer is left
# in build-fuzz/findings. Usage: scripts/fuzz-smoke.sh [seconds per harness, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVX_FUZZ=ON -DVX_BUILD_GUI=OFF -DVX_BUILD_TESTS=OFF -DVX_BUILD_BENCH=OFF -DVX_WERROR=ON \
    "${launcher[@]}"
cmake --build "$build" -j2 --target specification_reader_fuzzer number_text_fuzzer

# The corpora grow in scratch folders; the seeds are the shipped examples and a few typed numbers.
rm -rf "$build/corpus" "$build/findings"
mkdir -p "$build/corpus/specification" "$build/corpus/number" "$build/findings"
cp examples/*.vxs "$build/corpus/specification/"
cp fuzz/number_seeds/* "$build/corpus/number/"

export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
run() {
    local harness=$1 corpus=$2 max_len=$3
    shift 3
    echo "fuzz-smoke: $harness for ${seconds}s"
    "$build/fuzz/$harness" "$build/corpus/$corpus" -max_total_time="$seconds" \
        -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$harness-" "$@"
}
# A specification file is a few hundred bytes; a typed number a few dozen. The file's words
# let the mutations reach past the keyword lookup.
run specification_reader_fuzzer specification 4096 -dict=fuzz/specification.dict
run number_text_fuzzer number 64
echo "fuzz-smoke: no faults found"
