"""Prints where the qv3380 package goes under an install prefix, relative to it.

    python3 install_dir.py PREFIX

The interpreter's own prefix takes its platform directory (Debian's
deb_system scheme: lib/python3/dist-packages under /usr); another prefix takes
the first directory the interpreter searches under it (Debian:
/usr/local/lib/python3.X/dist-packages), and failing that the directory of
the posix_prefix scheme, which then has to be put on PYTHONPATH.
"""

import os
import site
import sys
import sysconfig


def platform_dir(prefix: str) -> str:
    paths = {"base": prefix, "platbase": prefix}
    if os.path.normpath(sys.base_prefix) == prefix:
        scheme = "deb_system" if "deb_system" in sysconfig.get_scheme_names() else None
        return (
            sysconfig.get_path("platlib", scheme, vars=paths)
            if scheme
            else sysconfig.get_path("platlib")
        )
    for searched in site.getsitepackages():
        if os.path.commonpath([prefix, os.path.normpath(searched)]) == prefix:
            return searched
    return sysconfig.get_path("platlib", "posix_prefix", vars=paths)


if __name__ == "__main__":
    root = os.path.normpath(sys.argv[1])
    print(os.path.relpath(platform_dir(root), root))
