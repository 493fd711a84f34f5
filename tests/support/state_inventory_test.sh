#!/usr/bin/env bash
# Every piece of program state in the sources is in HACKING's table of it, the
# table names nothing that is gone, and each reset the table names is called
# by test::ResetProgramState.
#   state_inventory_test.sh SOURCE-ROOT
set -uo pipefail
root=${1:?usage: state_inventory_test.sh SOURCE-ROOT}
cd "$root" || exit 1
fixture=tests/support/program_fixture.cpp
status=0
fail() { echo "FAIL: $*"; status=1; }

# The table's rows: "NAMES|FILE|RESET", from the section "## Program state".
rows=$(sed -n '/^## Program state/,/^## /p' HACKING.md | grep '^| ' | tail -n +2 |
       awk -F'|' '{ gsub(/`/, "", $3); gsub(/^ +| +$/, "", $3); print $2 "|" $3 "|" $5 }')
[ -n "$rows" ] || { echo "FAIL: HACKING.md has no table under \"## Program state\""; exit 1; }
found=$(scripts/list-state.sh .)

while read -r file name; do
  listed=$(printf '%s\n' "$rows" | awk -F'|' -v f="$file" -v n="\`$name\`" \
    '$2 == f && (index($1, n) || $1 ~ /every variable/) { print "yes"; exit }')
  [ -n "$listed" ] || fail "$file: $name is program state that HACKING's table does not list"
done <<< "$found"

while IFS='|' read -r names file reset; do
  [ -f "$file" ] || { fail "HACKING lists state in $file, which does not exist"; continue; }
  case "$names" in *"every variable"*) ;; *)
    for name in $(printf '%s\n' "$names" | grep -o '`[A-Za-z_0-9]*`' | tr -d '`'); do
      grep -qx "$file $name" <<< "$found" || fail "HACKING lists $name in $file, which is no state there"
    done ;;
  esac
  for call in $(printf '%s\n' "$reset" | grep -o '`[A-Za-z_0-9]*()`' | tr -d '`()'); do
    grep -q "^  $call();" "$fixture" || fail "test::ResetProgramState does not call $call (HACKING: $file)"
  done
done <<< "$rows"

[ "$status" = 0 ] && echo "ok: $(wc -l <<< "$found") pieces of state, every one listed and reset"
exit $status
