#!/usr/bin/env bash
# clang-tidy (.clang-tidy) over the product's sources, eight files a run and
# a run per core, from the compile commands of a configured build (default:
# build/). Any finding fails.
#   scripts/tidy.sh [BUILD-DIR] [FILE...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
[ -f "$build/compile_commands.json" ] || { echo "tidy: configure $build first" >&2; exit 2; }
# GCC's precompiled headers mean nothing to clang: the sources include what they use.
commands=$build/tidy
mkdir -p "$commands"
sed -E 's# -Winvalid-pch##g; s# -include [^ ]*cmake_pch\.hxx##g' \
  "$build/compile_commands.json" >"$commands/compile_commands.json"
if [ "$#" -eq 0 ]; then
  set -- $(git ls-files '*.cpp' | grep -Ev '^(tests|bench|tools)/')
fi
# xargs fails when any file has a finding; the findings file says which.
printf '%s\n' "$@" | { xargs -P "$(nproc)" -n 8 clang-tidy -p "$commands" --quiet 2>/dev/null || true; } |
  tee "$commands/findings.txt"
if grep -q 'error:' "$commands/findings.txt"; then
  echo "tidy: $(grep -c 'error:' "$commands/findings.txt") findings (above)" >&2
  exit 1
fi
echo "tidy: no findings in $# files"
