#!/usr/bin/env bash
# Each man page renders without a warning from man or groff, its NAME line is
# one whatis reads, and it names every command, option and exit status the
# program's --help lists.
#   manual_test.sh PROGRAM PAGE [PROGRAM PAGE]...
set -uo pipefail
failures=0
warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT
fail() {
  echo "$*" >&2
  failures=$((failures + 1))
}

while [ $# -ge 2 ]; do
  program=$1 page=$2
  shift 2
  name=$(basename "$program")
  text=$(MANWIDTH=80 man --warnings -l "$page" 2>"$warnings") || fail "$page: man failed"
  [ -s "$warnings" ] && fail "$page: $(cat "$warnings")"
  lexgrog "$page" >/dev/null || fail "$page: no NAME line whatis reads"

  help=$("$program" --help) || fail "$name --help failed"
  for option in $(grep -oE -- '(^|[ ,])--?[a-z][a-z0-9-]*' <<<"$help" | tr -d ' ,' | sort -u); do
    grep -qF -- "$option" <<<"$text" || fail "$page: no $option, which $name --help lists"
  done
  # A command heads its own lines in --help, and a section in the page.
  for command in $(sed -n '/^Commands:/,/^Exit status:/p' <<<"$help" | grep -E '^[a-z][a-z0-9-]*$'); do
    grep -qx "   $command" <<<"$text" || fail "$page: no section for $name $command"
  done
  for status in $(sed -n '/^Exit status:/,$p' <<<"$help" | grep -oE '^  [0-9]+' ); do
    grep -qE "^       $status +[A-Z]" <<<"$text" || fail "$page: no exit status $status"
  done
done
[ "$failures" -eq 0 ]
