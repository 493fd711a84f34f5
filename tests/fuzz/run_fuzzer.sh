#!/usr/bin/env bash
# Builds the setup-file reader's libFuzzer target with clang, the whole core
# instrumented and under ASan and UBSan, then fuzzes from the seed corpus.
#   tests/fuzz/run_fuzzer.sh [SECONDS]    explore for that long (default 300); new
#                                          inputs are kept in build-fuzz/corpus
#   tests/fuzz/run_fuzzer.sh --runs N     a bounded run that repeats exactly: N
#                                          inputs from a fixed seed and the seeds alone
# The seeds in tests/fixtures stay as they are.
set -euo pipefail
cd "$(dirname "$0")/../.."

limit=(-max_total_time="${1:-300}")
corpus=build-fuzz/corpus
if [ "${1:-}" = --runs ]; then
  limit=(-runs="${2:?--runs needs a count}" -seed=1)
  corpus=build-fuzz/bounded-corpus
  rm -rf "$corpus"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# -O1 with line tables: fast to build, and a finding still names its line.
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE= \
  -DQV_FUZZ=ON -DQV_BUILD_GUI=OFF -DQV_BUILD_PAINT=OFF -DQV_BUILD_BENCH=OFF "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz --target fuzz_setup_reader fuzz_replay

mkdir -p "$corpus"
build-fuzz/tests/fuzz/fuzz_setup_reader "$corpus" tests/fixtures/setup_corpus \
  -dict=tests/fuzz/setup_file.dict -max_len=4096 "${limit[@]}" -print_final_stats=1
