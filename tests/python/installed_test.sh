#!/usr/bin/env bash
# cmake --install puts the package where the interpreter looks under the
# prefix, and the installed module finds libhidbridge there, with nothing of
# the build tree on the way.
#   installed_test.sh BUILD-DIR PYTHON INSTALL_DIR_PY [PACKAGE-DIR (relative to the prefix)]
set -euo pipefail
build=$1 python=$2 chooser=$3 packages=${4:-}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
[ -n "$packages" ] || packages=$("$python" "$chooser" "$prefix")
cd "$prefix"
env -u PYTHONPATH -u LD_LIBRARY_PATH "$python" -I -c "
import sys
sys.path.insert(0, '$prefix/$packages')
import qv3380
assert qv3380.__file__.startswith('$prefix/'), qv3380.__file__
assert qv3380.Setup.new().plan().pfd_hz > 0
"
