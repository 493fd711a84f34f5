#!/usr/bin/env bash
# Lists the program-wide and module state in the product's sources: every
# variable at namespace scope that is not a constant, and every function-local
# static that is not one. One line each: FILE NAME.
#   scripts/list-state.sh [SOURCE-ROOT]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
# Namespace scope is column 0 here (clang-format does not indent namespaces).
namespace_scope='^(?!(inline |static )*(constexpr|const|using|typedef|extern|return|namespace|template|enum|struct|class|friend) )(inline |static )?[A-Za-z_][\w:<>, *&]*?[ *&]+\w+( = [^(;]*|\{[^;]*\})?(, \w+( = [^(;,]*)?)*;'
local_static='^\s+static (?!(constexpr|const) )[^();]*?[ *&]\w+( = [^;]*|\{[^;]*\})?;'
git ls-files '*.cpp' '*.h' | grep -Ev '^(tests|bench|tools)/' | while read -r file; do
  { grep -hP "$namespace_scope|$local_static" "$file" || true; } | while read -r line; do
    declarators=$(printf '%s\n' "$line" | sed -E 's/;.*//; s/^\s*(inline |static )+//')
    # Each declarator of "int a = 0, b = 0": the name before its initialiser.
    printf '%s\n' "$declarators" | sed -E ':a; s/<[^<>]*>//; ta; s/\{[^}]*\}//g; s/ = [^,]*//g' |
      tr ',' '\n' |
      sed -E 's/.*[ *&]//' | sed "s#^#$file #"
  done
done
