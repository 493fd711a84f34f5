#!/usr/bin/env bash
# What qv3380 says on standard error, word for word, as one table: files
# missing or refused, saves and help that cannot be written, a plan refused,
# and each way the chip cannot be reached through the simulated adapter:
# absent, not this user's to open, refusing, silent, late, unplugged during a
# load or a read-back. The parser's own mistakes are the table of
# Cli.UsageErrors.
#   messages_test.sh TOOLS/qv3380-sim QV3380   (QV3380_SIM_HELPER set by CTest)
set -euo pipefail
sim=$1 qv3380=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/expect.sh"

"$qv3380" new -o "$work/board.stp"
printf 'junk\n' >"$work/bad.stp"
"$qv3380" edit "$work/board.stp" --set PLL1_N=110 -o "$work/failing.stp"
probe="the connection check's read of register 0x3F failed"

# MODE STDOUT STATUS EXPECTED ARG...: qv3380 ARG... with standard output to
# STDOUT, under the simulator in MODE (- runs it without one), exits STATUS
# and says exactly EXPECTED (printf's escapes) on standard error.
row() {
  local mode=$1 stdout=$2 status=$3 expected=$4 got=0
  shift 4
  if [ "$mode" = - ]; then
    "$qv3380" "$@" >"$stdout" 2>"$work/err" || got=$?
  else
    local sim_options=(--mode "$mode")
    case $mode in unplug-*) sim_options=(--unplug-after "${mode#unplug-}") ;; esac
    "$sim" "${sim_options[@]}" --log /dev/null -- "$qv3380" "$@" >"$stdout" 2>"$work/err" || got=$?
  fi
  expect "$mode $*: exit $status, not $got" test "$got" = "$status"
  expect "$mode $*: says $(cat "$work/err")" test "$(cat "$work/err")" = "$(printf '%b' "$expected")"
}

# clang-format-like alignment is not kept: one row per message.
row - /dev/null 1 "qv3380: $work/none.stp: Unable to open file: $work/none.stp\nqv3380: $work/none.stp: No such file or directory" check "$work/none.stp"
row - /dev/null 1 "qv3380: $work: Unable to open file: $work\nqv3380: $work: not a regular file" check "$work"
row - /dev/null 1 "qv3380: $work/bad.stp: Line 1 invalid. Expected <Header>, <RegisterMap>, <PinStates>, or <SoftwareSettings>." show "$work/bad.stp"
row answer /dev/null 1 "qv3380: $work/bad.stp: Line 1 invalid. Expected <Header>, <RegisterMap>, <PinStates>, or <SoftwareSettings>." apply "$work/bad.stp"
row - /dev/null 1 "qv3380: /dev/full: An error occurred when attempting to save the setup file.\nqv3380: /dev/full: No space left on device" new -o /dev/full
row - /dev/full 1 "qv3380: standard output: No space left on device" new -o -
row - /dev/full 1 "qv3380: standard output: No space left on device" --help
row - /dev/full 1 "qv3380: standard output: No space left on device" -V
row - /dev/null 1 "qv3380: $work/none/t.log: trace not written: No such file or directory\nqv3380: $work/none.stp: Unable to open file: $work/none.stp\nqv3380: $work/none.stp: No such file or directory" --trace "$work/none/t.log" check "$work/none.stp"
row answer /dev/null 3 "qv3380: $work/failing.stp: The plan fails 2 checks:\nqv3380: $work/failing.stp:   Map 0 (MARGIN low): VCO1 2.75000 GHz is above 2.55 GHz\nqv3380: $work/failing.stp:   Map 0 (MARGIN low): PLL1 N 110 is above the range 86 <= N <= 102\nqv3380: $work/failing.stp: Nothing was written to the chip; --force writes it all the same." apply "$work/failing.stp"
row absent /dev/null 4 "qv3380: USB 04d8:feaa: $probe: no adapter is plugged in" apply "$work/board.stp"
row answer /dev/null 4 "qv3380: MOCK0009: $probe: no adapter present has this serial number or path; qv3380 adapters lists those present" verify --adapter MOCK0009 "$work/board.stp"
row refuse /dev/null 4 "qv3380: /dev/hidraw1: $probe: Permission denied: this user may not open the adapter; see \"Adapter access on Linux\" in the README (the udev rule)" apply "$work/board.stp"
row error /dev/null 4 "qv3380: /dev/hidraw1: $probe: the adapter refused it (its reply flagged an error)" read -o -
row silent /dev/null 4 "qv3380: /dev/hidraw1: $probe: no answer from the adapter within 250 ms" edit "$work/board.stp" --online --set PLL1_N=101 -o "$work/out.stp"
row late /dev/null 4 "qv3380: /dev/hidraw1: $probe: the adapter answered too late, after the 250 ms a transfer waits" apply "$work/board.stp"
row unplug-21 /dev/null 4 "qv3380: USB 04d8:feaa: the write of 0x84 to register AM1 (0x31) failed: no adapter is plugged in\nqv3380: USB 04d8:feaa: the chip is partly programmed: 19 of 42 transfers reached it" apply "$work/board.stp"
row unplug-1 /dev/null 4 "qv3380: USB 04d8:feaa: the read of register BP0 (0x11) failed: no adapter is plugged in" verify "$work/board.stp"
expect "a refused file did not make the edit" test ! -e "$work/out.stp"

exit $((failures > 0))
