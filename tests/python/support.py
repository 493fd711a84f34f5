"""Helpers of the qv3380 module's tests: the command line they compare it
with, and the setup files."""

from __future__ import annotations

import os
import subprocess
from dataclasses import dataclass
from pathlib import Path

import pytest

SOURCE = Path(os.environ.get("QV3380_SOURCE", Path(__file__).resolve().parents[2]))
CORPUS = SOURCE / "tests" / "fixtures" / "setup_corpus"
BOARD = SOURCE / "tests" / "fixtures" / "exports" / "board.stp"


@dataclass
class Ran:
    status: int
    out: str
    err: str


def qv3380(*args: str | os.PathLike[str], newline: str | None = None) -> Ran:
    """The command line of the build, run on the same input; ``newline=""``
    keeps its line ends as written (CRLF in a CSV)."""
    program = os.environ.get("QV3380_CLI")
    if not program:
        pytest.skip("QV3380_CLI names no qv3380 to compare with (CTest sets it)")
    done = subprocess.run([program, *map(os.fspath, args)], capture_output=True, check=False)
    decode = (lambda data: data.decode()) if newline == "" else (
        lambda data: data.decode().replace("\r\n", "\n").replace("\r", "\n"))
    return Ran(done.returncode, decode(done.stdout), decode(done.stderr))


def said(subject: str | os.PathLike[str], message: str) -> str:
    """``message`` as qv3380 says it on standard error: every line after
    "qv3380: SUBJECT: ", where the line does not begin so already."""
    named = f"{os.fspath(subject)}: "
    return "".join(
        f"qv3380: {'' if line.startswith(named) else named}{line}\n" for line in message.split("\n")
    )


def under_simulator() -> bool:
    return "libumockdev-preload" in os.environ.get("LD_PRELOAD", "")
