#!/usr/bin/env bash
# qv3380 read and verify against the simulated adapter: a chip programmed with
# apply reads back as the file and verifies; a file that differs in one field
# is found; neither command writes a single register.
#   sim_handoff_test.sh TOOLS/qv3380-sim QV3380   (QV3380_SIM_HELPER set by CTest)
set -euo pipefail
sim=$1 qv3380=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/expect.sh"

"$qv3380" new -o "$work/plain.stp"
"$qv3380" edit "$work/plain.stp" --set PLL1_N=102 --set OUT3D_M=8 -o "$work/board.stp"
"$qv3380" edit "$work/board.stp" --set OUT0D=5 -o "$work/other.stp"

# One chip for all the commands: apply first, then only reads.
"$sim" --log "$work/log" -- sh -c '
  "$1" apply "$2/board.stp" || exit 10
  "$1" read --like "$2/board.stp" -o "$2/read.stp" || exit 11
  "$1" verify "$2/board.stp" >"$2/same.out" || exit 12
  status=0
  "$1" verify "$2/other.stp" >"$2/other.out" 2>/dev/null || status=$?
  exit $((status == 6 ? 0 : 13))
' sh "$qv3380" "$work" 2>"$work/err" || { cat "$work/err" >&2; exit 1; }

# The chip holds the look-ahead bit the tool set; all else is the file.
expect "read gives the file back" \
  test "$(diff "$work/board.stp" "$work/read.stp" | grep -c '^[<>]')" = 2
expect "the one difference is C0's look-ahead bit" grep -q '^&h40,&b00000010' "$work/read.stp"
expect "verify matches" grep -q "^Chip matches $work/board.stp (32 registers)$" "$work/same.out"
expect "verify names the field" \
  test "$(cat "$work/other.out")" = "OUT0 output divider, map 0: expected 5, chip holds 4"
# apply: the look-ahead of the check, 32 registers, look-ahead, 8 acquisition writes, DR1.
expect "only apply wrote" test "$(grep -c ' write ' "$work/log")" = 43
expect "read and verify read each register once" test "$(grep -c ' read ' "$work/log")" = 100

# Two adapters, each chip programmed and verified through the one --adapter names.
"$sim" --adapters 2 --log "$work/two.log" -- sh -c '
  "$1" adapters --json >"$2/adapters.json" || exit 10
  "$1" apply --adapter MOCK0002 "$2/board.stp" || exit 11
  "$1" apply --adapter /dev/hidraw1 "$2/other.stp" || exit 12
  "$1" verify --adapter /dev/hidraw2 "$2/board.stp" >/dev/null || exit 13
  QV3380_ADAPTER=MOCK0001 "$1" verify "$2/other.stp" >/dev/null || exit 14
  status=0
  "$1" verify --adapter MOCK0003 "$2/board.stp" 2>"$2/absent.err" || status=$?
  exit $((status == 4 ? 0 : 15))
' sh "$qv3380" "$work" 2>"$work/err" || { cat "$work/err" >&2; exit 1; }
expect "both adapters listed by serial" \
  test "$(grep -c '"serial": "MOCK000[12]"' "$work/adapters.json")" = 2
expect "an absent adapter is named" grep -qx \
  "qv3380: MOCK0003: the connection check's read of register 0x3F failed: no adapter present has this serial number or path; qv3380 adapters lists those present" \
  "$work/absent.err"
expect "each chip took one apply" test "$(grep -c ' write ' "$work/two.log")" = 86

exit $((failures > 0))
