#!/usr/bin/env bash
# cmake --install under a prefix of its own (not /usr, so zsh's functions go
# to site-functions): both programs run from there on the library beside them,
# a C program builds against the development files, and the man pages,
# completions, udev rule, desktop entry, icons and AppStream metadata sit where
# man, the shells, udev and the desktop look, and validate.
#   installed_test.sh BUILD-DIR LIBDIR (relative to the prefix) GUI (ON/OFF)
set -uo pipefail
build=$1 libdir=$2 gui=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1

failures=0
fail() {
  echo "$*" >&2
  failures=$((failures + 1))
}
present() {
  for file in "$@"; do [ -f "$prefix/$file" ] || fail "not installed: $file"; done
}

programs=(qv3380)
[ "$gui" = ON ] && programs+=(qv3380_gui)
for program in "${programs[@]}"; do
  env -u LD_LIBRARY_PATH "$prefix/bin/$program" --version >/dev/null || fail "$program does not run"
  # Read whole first: grep -q ending the pipe early would fail it under pipefail.
  libraries=$(env -u LD_LIBRARY_PATH ldd "$prefix/bin/$program")
  grep -q "libhidbridge.so.1 => $prefix/" <<<"$libraries" ||
    fail "$program does not find its own libhidbridge"
  present "share/man/man1/$program.1.gz" "share/bash-completion/completions/$program" \
    "share/zsh/site-functions/_$program" "share/fish/vendor_completions.d/$program.fish"
  [ "$(MANPATH=$prefix/share/man man -w "$program")" = "$prefix/share/man/man1/$program.1.gz" ] ||
    fail "man does not find $program's page"
done
present lib/udev/rules.d/70-qv3380-adapter.rules

# The development files, found through pkg-config.
printf '#include <hidbridge.h>\nint main(void) { return readi2c(0x80, 0x3F) < 0; }\n' >"$root/probe.c"
flags=$(PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig pkg-config --cflags --libs hidbridge) ||
  fail "pkg-config does not know hidbridge"
# shellcheck disable=SC2086
cc "$root/probe.c" $flags -o "$root/probe" || fail "a C program does not build against hidbridge"

if [ "$gui" = ON ]; then
  for size in 16 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/qv3380.png
    [[ $(file "$icon") == *"PNG image data, $size x $size,"* ]] || fail "no $size px icon: $icon"
  done
  present share/icons/hicolor/scalable/apps/qv3380.svg
  # The screenshots software centres show are pictures of the user guide.
  for picture in $(grep -o '/manual/[a-z-]*\.png' "$prefix"/share/metainfo/*.metainfo.xml); do
    present "share/qv3380$picture"
  done
  desktop-file-validate "$prefix/share/applications/qv3380.desktop" || fail "desktop entry"
  # Warnings fail it too; without the network, since the screenshots are not published here.
  appstreamcli validate-tree --no-net "$root" || fail "AppStream metadata"
fi
[ "$failures" -eq 0 ]
