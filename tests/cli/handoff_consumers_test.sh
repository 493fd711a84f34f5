#!/usr/bin/env bash
# The exports as their consumers take them, and each back into a setup file:
# dtc compiles every device-tree overlay without a warning, shellcheck finds
# nothing in the i2c-tools script, mkimage makes the U-Boot script an image,
# xxd -r -p turns the hex pairs into the writes alone, Python's csv module
# reads the table, and importing any export with --like gives the file back.
# Setups: the exports' board, a fresh start, and one that fails every VCO check
# (every register 0), exported with --force.
#   handoff_consumers_test.sh QV3380 FIXTURES
set -euo pipefail
qv3380=$1 fixtures=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/../support/expect.sh"

cp "$fixtures/board.stp" "$work/board.stp"
"$qv3380" new -o "$work/fresh.stp"
sed -E 's/^(&h[0-9A-F]{2}),&b[01]{8}.*/\1,\&b00000000/' "$work/board.stp" >"$work/zeros.stp"
"$qv3380" edit "$work/zeros.stp" -o "$work/zero.stp"  # as the tool writes it

quiet() { # COMMAND...: succeeds and says nothing on either stream
  "$@" >"$work/said" 2>&1 && test ! -s "$work/said" || { cat "$work/said" >&2; return 1; }
}

same_setup() { # IMPORTED ORIGINAL
  "$qv3380" import "$1" --like "$2" -o "$work/back.stp" >/dev/null && cmp -s "$work/back.stp" "$2"
}

csv_checks() { # FILE COLUMNS FAILED(yes|no)
  /usr/bin/python3 - "$@" <<'PY'
import csv, re, sys
path, columns, failed = sys.argv[1], int(sys.argv[2]), sys.argv[3] == "yes"
raw = open(path, "rb").read()
assert raw.count(b"\r\n") == 33 and b"\n" not in raw.replace(b"\r\n", b""), "CRLF lines only"
rows = list(csv.reader(open(path, newline="", encoding="utf-8")))
assert rows[0][:6] == ["index", "address", "name", "value_hex", "value_bin", "default"], rows[0]
assert len(rows) == 33 and all(len(row) == columns for row in rows), [len(r) for r in rows]
assert all(re.fullmatch(r"[01]{8}", row[4]) for row in rows[1:]), "value_bin keeps its zeros"
assert b',"' in raw, "value_bin is quoted"
assert [int(row[0]) for row in rows[1:]] == list(range(32))
if columns > 6:
    assert rows[0][6:] == ["written_by", "written_on", "source", "failed_checks"], rows[0]
    assert all(bool(row[9]) == failed for row in rows[1:]), "failed_checks"
PY
}

for setup in board fresh zero; do
  src=$work/$setup.stp
  force=()
  [ "$setup" = zero ] && force=(--force)
  out=$work/$setup
  for format in c csv hex i2c uboot linux-firmware; do
    "$qv3380" export "$src" --format "$format" "${force[@]}" -o "$out.$format"
  done
  "$qv3380" export "$src" --format dts "${force[@]}" -o "$out.dtso"
  "$qv3380" export "$src" --format dts --i2c-bus-label i2c1 "${force[@]}" -o "$out-bus.dtso"
  "$qv3380" export "$src" --format csv --provenance "${force[@]}" -o "$out-provenance.csv"

  for dts in "$out.dtso" "$out-bus.dtso"; do
    expect "dtc compiles $(basename "$dts") without a warning" \
      quiet dtc -@ -I dts -O dtb -o "$work/overlay.dtbo" "$dts"
  done
  expect "shellcheck passes $setup.i2c" quiet shellcheck -s sh "$out.i2c"
  expect "mkimage takes $setup.uboot" \
    quiet sh -c 'mkimage -T script -C none -d "$1" "$2" >/dev/null' sh "$out.uboot" "$out.scr"
  expect "xxd -r -p reads $setup.hex as its writes" test \
    "$(xxd -r -p "$out.hex" | xxd -p | tr -d '\n')" = \
    "$(grep -E '^[0-9A-F]{2} [0-9A-F]{2}$' "$out.hex" | tr -d ' \n' | tr 'A-F' 'a-f')"
  failed=no
  [ "$setup" = zero ] && failed=yes
  if [ "$setup" = zero ]; then
    expect "csv: a forced table carries its failures" csv_checks "$out.csv" 10 yes
  else
    expect "csv: $setup.csv" csv_checks "$out.csv" 6 no
  fi
  expect "csv: $setup-provenance.csv" csv_checks "$out-provenance.csv" 10 "$failed"

  for exported in "$out.c" "$out.csv" "$out.hex" "$out.i2c" "$out.uboot" "$out.scr" \
    "$out.linux-firmware" "$out-bus.dtso" "$out-provenance.csv"; do
    expect "$(basename "$exported") imports as $setup.stp" same_setup "$exported" "$src"
  done
done

exit $((failures > 0))
