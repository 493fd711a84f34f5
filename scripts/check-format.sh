#!/usr/bin/env bash
# Every C and C++ source is laid out as .clang-format says (tables between
# "clang-format off" and "on" as they stand). The export fixtures are files the
# tool writes, not sources.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.cpp' '*.h' '*.c' | grep -v '^tests/fixtures/')
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
echo "format: $(wc -l <<<"$files") files as .clang-format says"
