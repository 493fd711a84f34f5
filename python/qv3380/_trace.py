"""The diagnostic trace: one line per chip transfer, file read or written and
refusal, the lines ``QV3380_TRACE`` and ``qv3380 --trace`` give the programs."""

from __future__ import annotations

import os
import warnings
from types import TracebackType

from . import _core
from ._errors import FileError

VARIABLE = "QV3380_TRACE"


class Trace:
    """The trace going to one file; see :func:`trace`."""

    def __init__(self, path: str | os.PathLike[str] | None) -> None:
        self.path: str | None = None if path is None else os.fspath(path)
        self._before = _core.trace_path()
        _core.trace_to(self.path or "")

    def __enter__(self) -> Trace:
        return self

    def __exit__(
        self,
        kind: type[BaseException] | None,
        error: BaseException | None,
        traceback: TracebackType | None,
    ) -> None:
        _core.trace_to(self._before)

    def __repr__(self) -> str:
        return f"qv3380.Trace({self.path!r})"


def trace(path: str | os.PathLike[str] | None) -> Trace:
    """Appends the trace to ``path`` from now on (``None`` ends it); as a
    ``with`` block, for the block only, after which it goes where it went::

        with qv3380.trace("bring-up.log"):
            chip.apply(board)     # "... transfer write register 0x18 value 0x16 result 0 ..."

    A file that cannot be opened raises :class:`FileError` and leaves the
    trace as it was. The trace is the process's: one file at a time, for every
    Setup and Chip. At import, ``QV3380_TRACE`` names the first file, as it
    does for the programs (one that cannot be opened is a warning).
    """
    return Trace(path)


def trace_from_environment() -> None:
    path = os.environ.get(VARIABLE)
    if not path:
        return
    try:
        _core.trace_to(path)
    except FileError as error:
        warnings.warn(f"qv3380: {error}", RuntimeWarning, stacklevel=3)
