#!/usr/bin/env bash
# Installs what is missing, then configures, builds and runs every test.
#   scripts/test.sh            default preset (build/)
#   scripts/test.sh asan       AddressSanitizer + UBSan preset (build-asan/)
#   QV_WERROR=1 scripts/test.sh   treat warnings as errors (CI does)
# Extra arguments after the preset go to ctest, e.g. scripts/test.sh default -R Store
set -euo pipefail
cd "$(dirname "$0")/.."

preset=${1:-default}
shift || true

scripts/install-deps.sh

extra=()
[ "${QV_WERROR:-0}" = 1 ] && extra+=(-DQV_WERROR=ON)
cmake --preset "$preset" "${extra[@]}" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)" "$@"
