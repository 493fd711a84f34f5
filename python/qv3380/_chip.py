"""The chip through its USB adapter, or simulated, and the adapters present."""

from __future__ import annotations

import json
from typing import Any

from . import _core
from ._records import Record, key, record
from ._results import FieldChange, Verification
from ._setup import Setup

SIMULATED: str = _core.SIMULATED_ADAPTER
"""The adapter name of a chip simulated in the process: ``Chip("sim")``."""


@record
class Adapter(Record):
    """An adapter present (USB 04d8:feaa), as ``qv3380 adapters`` lists it."""

    path: str = key()  #: the hidraw node, "/dev/hidraw1"
    serial: str = key()  #: the USB serial number; "" when it has none
    product: str = key()  #: the USB product string
    may_open: bool = key()  #: this user may open it now
    why_not: str | None = key(optional=True)  #: why not, when not: "Permission denied"


def adapters() -> list[Adapter]:
    """The adapters present, in the order the bridge tries them (the first
    one that opens is taken when none is named)."""
    return [Adapter.from_dict(entry) for entry in json.loads(_core.adapters_document())["adapters"]]


def adapters_table() -> str:
    """The adapters present as ``qv3380 adapters`` prints them."""
    return _core.adapters_text()


@record
class Transfer(Record):
    """One transfer with the chip: what was written or read, and the bridge's
    result (negative when it failed: -1 no reply, -2 no adapter, -3 the
    adapter reported an error)."""

    kind: str = key()  #: "read" or "write"
    address: int = key()
    value: int = key()
    result: int = key()

    @property
    def ok(self) -> bool:
        return self.result >= 0


class Chip:
    """A QV3380 reached through its adapter: by serial number ("MOCK0001") or
    hidraw path ("/dev/hidraw2"), or, with ``None``, the one the environment
    variable QV3380_ADAPTER names or else the first that opens; ``"sim"`` is a
    chip simulated in the process, its registers 0 at first and kept for as
    long as the object lives.

    Every call opens and closes the adapter, as the program does for each
    transfer, so the ``with`` block is only for readability. Calls wait for
    each other across threads and release the GIL while they wait for the
    chip. Each transfer takes about 50 ms through an adapter::

        with qv3380.Chip("MOCK0001") as chip:
            chip.check()
            chip.apply(setup)
            assert not chip.verify(setup)
    """

    def __init__(self, adapter: str | None = None) -> None:
        self._link = _core.ChipLink(adapter or "")

    @property
    def adapter(self) -> str | None:
        """The adapter as named; None when none was."""
        return self._link.adapter or None

    @property
    def simulated(self) -> bool:
        return bool(self._link.simulated)

    def __enter__(self) -> Chip:
        return self

    def __exit__(self, *exc: Any) -> None:
        return None

    def check(self) -> None:
        """The connection check's read (register 0x3F); nothing is written.
        :class:`ChipError` when the chip does not answer, naming the adapter and
        why: none plugged in, not this user's to open, refusing, silent or late."""
        self._link.check()

    def apply(self, setup: Setup, *, force: bool = False) -> None:
        """``qv3380 apply``: online, the connection check, then the whole set
        (32 registers, look-ahead enable, acquisition, its pause, DR1 again).
        A plan that fails a check of either map raises :class:`PlanError`
        naming the checks, and nothing reaches the chip, unless ``force``.
        :class:`ChipError` when a transfer failed; for a set that reached the
        chip only in part it names how many transfers did, in ``reached`` of
        ``transfers``."""
        self._link.apply(setup._state, force)

    def read(self, like: Setup | None = None) -> Setup:
        """``qv3380 read``: the chip's 32 registers, with the pins and
        reference settings of ``like`` (the chip holds none), or those of a
        fresh start. Nothing is written."""
        state = self._link.read(like._state if like is not None else None)
        return Setup._made(state, "the chip")

    def verify(self, setup: Setup) -> Verification:
        """``qv3380 verify``: the fields in which the chip differs from
        ``setup``; an empty list when it holds the setup (the look-ahead bit
        the tool sets itself is no difference). Nothing is written."""
        fields, lines, summary = self._link.verify(setup._state, setup.name)
        changes = [
            FieldChange.from_dict(entry, text=line)
            for entry, line in zip(json.loads(fields), lines)
        ]
        return Verification(changes, summary)

    @property
    def transfers(self) -> list[Transfer]:
        """Every transfer made to this chip through this object, in order."""
        return [
            Transfer(kind=k, address=a, value=v, result=r) for k, a, v, r in self._link.transfers()
        ]

    def __repr__(self) -> str:
        return f"qv3380.Chip({self._link.adapter or None!r})"
