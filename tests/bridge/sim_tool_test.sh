#!/usr/bin/env bash
# tools/qv3380-sim end to end: the command reaches the simulated chip, the log
# shows its transfers, and the command's exit status comes back; an adapter
# pulled in the middle of a load leaves qv3380 saying the chip is partly programmed.
#   sim_tool_test.sh TOOLS/qv3380-sim BRIDGE_PROBE QV3380   (QV3380_SIM_HELPER set by CTest)
set -euo pipefail
sim=$1
probe=$2
qv3380=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/expect.sh"

"$sim" -- "$probe" r 0x3f w 0x10 0x1ff r 0x10 >"$work/out" 2>"$work/err"
expect "results of read, write, read" test "$(cat "$work/out")" = $'56\n0\n255'
expect "log summary" grep -q 'adapter answer, 3 command(s), 3 transfer(s)' "$work/err"
expect "logged write" grep -Eq 's  write  dev 0x80  reg 0x10 <- 0xFF$' "$work/err"
expect "logged id read" grep -Eq 's  read   dev 0x80  reg 0x3F -> 0x38$' "$work/err"

"$sim" --mode absent --log "$work/log" -- "$probe" r 0x3f >"$work/out" 2>"$work/err"
expect "no adapter" test "$(cat "$work/out")" = "-2"
expect "log goes to the file" grep -q 'adapter absent, 0 command(s)' "$work/log"
expect "nothing on stderr with --log" test ! -s "$work/err"

"$sim" --unplug-after 2 -- "$probe" r 0x3f w 0x10 1 w 0x10 2 >"$work/out" 2>"$work/err"
expect "unplugged after two commands" test "$(cat "$work/out")" = $'56\n0\n-2'

# Any number of transfers after an unplug: each finds no adapter, none aborts the preload.
writes=()
for value in $(seq 1 80); do writes+=(w 0x10 "$value"); done
status=0
"$sim" --unplug-after 1 -- "$probe" r 0x3f "${writes[@]}" >"$work/out" 2>"$work/err" || status=$?
expect "80 writes after an unplug end normally" test "$status" = 0
expect "each of them finds no adapter" test "$(grep -c -x -- -2 "$work/out")" = 80

# The probe read and the look-ahead write come first, then the whole set of 42.
"$qv3380" new -o "$work/board.stp"
status=0
"$sim" --unplug-after 21 --log "$work/log" -- "$qv3380" apply "$work/board.stp" 2>"$work/err" || status=$?
expect "a half-programmed chip is exit 4" test "$status" = 4
expect "says which write failed and why" grep -qx \
  'qv3380: USB 04d8:feaa: the write of 0x84 to register AM1 (0x31) failed: no adapter is plugged in' \
  "$work/err"
expect "says how much reached the chip" \
  grep -qx 'qv3380: USB 04d8:feaa: the chip is partly programmed: 19 of 42 transfers reached it' \
  "$work/err"

status=0
"$sim" -- sh -c 'exit 3' 2>/dev/null || status=$?
expect "exit status passed on" test "$status" = 3

status=0
"$sim" --mode bogus -- true 2>"$work/err" || status=$?
expect "bad mode is a usage error" test "$status" = 2
expect "bad mode is named" grep -q "unknown mode 'bogus'" "$work/err"

status=0
"$sim" 2>/dev/null || status=$?
expect "missing command is a usage error" test "$status" = 2

exit $((failures > 0))
