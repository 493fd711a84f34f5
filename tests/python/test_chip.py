"""The chip through the real bridge and hidapi to the simulated adapters
(tools/qv3380-sim): two boards side by side, each chosen by serial number or
path, programmed, read back and verified."""

from __future__ import annotations

import json
import threading

import pytest
import qv3380
from support import BOARD, qv3380 as cli

pytestmark = pytest.mark.usefixtures("simulator")


@pytest.mark.chip
def test_two_adapters_each_programmed_and_verified_by_serial() -> None:
    listed = qv3380.adapters()
    assert [(a.serial, a.path, a.may_open) for a in listed] == [
        ("MOCK0001", "/dev/hidraw1", True),
        ("MOCK0002", "/dev/hidraw2", True),
    ]
    assert [a.to_dict() for a in listed] == json.loads(cli("adapters", "--json").out)["adapters"]

    board = qv3380.Setup.load(BOARD)
    other = board.copy()
    other.set("OUT0D", 5)
    first, second = qv3380.Chip("MOCK0001"), qv3380.Chip("/dev/hidraw2")

    # Side by side: the calls take turns on the program, each on its own adapter.
    applying = [
        threading.Thread(target=c.apply, args=(s,)) for c, s in ((first, board), (second, other))
    ]
    for thread in applying:
        thread.start()
    for thread in applying:
        thread.join()

    assert first.verify(board) == [] and second.verify(other) == []
    assert [str(m) for m in first.verify(other)] == [
        "OUT0 output divider, map 0: expected 5, chip holds 4"
    ]
    with qv3380.Chip("MOCK0002") as chip:
        read = chip.read(like=board)
    assert [f.name for f in other.diff(read).fields] == ["Look-ahead enable"]
    assert read.pins == board.pins
    assert sum(t.kind == "write" for t in first.transfers) == 43
    verified = cli("verify", "--adapter", "MOCK0002", BOARD)
    assert verified.status == 6
    assert [str(m) for m in second.verify(board)] == verified.out.splitlines()


@pytest.mark.chip
def test_transfers_let_other_threads_run() -> None:
    chip = qv3380.Chip("MOCK0001")
    started, done = threading.Event(), threading.Event()

    def verify() -> None:
        started.set()
        chip.verify(qv3380.Setup.load(BOARD))
        done.set()

    worker = threading.Thread(target=verify)
    worker.start()
    started.wait()
    turns = 0
    while not done.is_set():
        turns += 1
    worker.join()
    assert turns > 1000, "the GIL is released while the chip is read"


@pytest.mark.chip
def test_an_absent_adapter_is_named() -> None:
    with pytest.raises(qv3380.ChipError) as absent:
        qv3380.Chip("MOCK0003").apply(qv3380.Setup.load(BOARD))
    assert str(absent.value) == (
        "MOCK0003: the connection check's read of register 0x3F failed: no adapter present has"
        " this serial number or path; qv3380.adapters() lists those present"
    )
    assert absent.value.transfers is None


@pytest.mark.unplugged
def test_a_chip_left_partly_programmed_says_how_much_reached_it() -> None:
    with pytest.raises(qv3380.ChipError) as partly:
        qv3380.Chip().apply(qv3380.Setup.load(BOARD))
    assert str(partly.value) == (
        "USB 04d8:feaa: the write of 0x84 to register AM1 (0x31) failed: no adapter is plugged in\n"
        "USB 04d8:feaa: the chip is partly programmed: 19 of 42 transfers reached it"
    )
    assert (partly.value.reached, partly.value.transfers) == (19, 42)
