#!/usr/bin/env bash
# Builds the setup-file reader's libFuzzer target with clang, the whole core
# instrumented and under ASan and UBSan, then fuzzes from the seed corpus.
#   tests/fuzz/run_fuzzer.sh [SECONDS]     default 300
# New inputs go to build-fuzz/corpus; the seeds in tests/fixtures stay as they are.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-300}

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQV_FUZZ=ON -DQV_BUILD_GUI=OFF -DQV_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz --target fuzz_setup_reader fuzz_replay

mkdir -p build-fuzz/corpus
build-fuzz/tests/fuzz/fuzz_setup_reader build-fuzz/corpus tests/fixtures/setup_corpus \
  -dict=tests/fuzz/setup_file.dict -max_len=4096 -max_total_time="$seconds" -print_final_stats=1
