#!/usr/bin/env bash
# Makes the Debian packages from a build folder and fails on any error or
# warning lintian finds in them. cpack installs what that build made, so
# nothing is built again (about 20 seconds).
#   scripts/check-packages.sh [BUILD-DIR]   default: build; the packages stay there
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
packages=("$build"/*.deb)
printf 'check-packages: %s\n' "${packages[@]##*/}"
# Root or not, the same findings (lintian only remarks on running as root).
lintian --fail-on error,warning --tag-display-limit 0 "${packages[@]}" 2> >(grep -v 'root privileges' >&2)
echo "check-packages: lintian finds no error and no warning."
