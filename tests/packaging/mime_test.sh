#!/bin/sh
# The setup-file type as the desktop sees it once the package is installed:
# a .stp file is a setup file by its first line; STEP files, which share
# the extension, never.
# Usage: mime_test.sh MIME_PROBE PACKAGE_XML SETUP_FILE WORK_DIR
set -eu
probe=$1 package=$2 setup=$3 work=$4
rm -rf "$work" && mkdir -p "$work/share/mime/packages"
cp "$package" "$work/share/mime/packages/"
cp "$setup" "$work/board.stp"
printf 'ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION((""),"2;1");\nENDSEC;\n' >"$work/bracket.stp"
printf 'ISO-10303-21;\nHEADER;\n' >"$work/bracket.step"

got=$(XDG_DATA_DIRS="$work/share:/usr/share" "$probe" "$work/board.stp" "$work/bracket.stp" \
  "$work/bracket.step")
expected='application/x-qv3380-setup
model/step
model/step'
if [ "$got" != "$expected" ]; then
  printf 'expected:\n%s\ngot:\n%s\n' "$expected" "$got" >&2
  exit 1
fi
