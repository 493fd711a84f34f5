"""Setups as values: every result equals what qv3380 prints for the same input,
every refusal carries its message, and no setup disturbs another."""

from __future__ import annotations

import copy
import json
import os
import re
import subprocess
import sys
import threading
from pathlib import Path

import pytest
import qv3380
from support import BOARD, CORPUS, SOURCE, said, qv3380 as cli

SETUP_FILES = sorted(CORPUS.glob("*.stp")) + [BOARD, CORPUS / "no-such.stp", CORPUS]


@pytest.mark.parametrize("path", SETUP_FILES, ids=lambda p: p.name)
def test_a_file_loads_or_is_refused_as_the_command_line_has_it(path: Path) -> None:
    checked = cli("check", path)
    if checked.status != 0:
        with pytest.raises(qv3380.FileError) as refused:
            qv3380.Setup.load(path)
        assert said(path, str(refused.value)) == checked.err
        if not path.is_file():
            return
        with pytest.raises(qv3380.FileError) as from_text:
            qv3380.Setup.from_text(path.read_bytes().decode("latin-1"))
        assert str(from_text.value) == str(refused.value)
        return
    setup = qv3380.Setup.load(path)
    assert setup.failures() == checked.out
    shown = cli("show", "--json", path)
    plan = setup.plan()
    assert plan.to_dict() == json.loads(shown.out)
    assert plan.fails == (shown.status == 3)
    assert str(plan) == cli("show", path).out
    assert setup.text() == cli("edit", path, "-o", "-").out
    assert setup.json_definition() == cli("export-json", path, "-o", "-").out
    assert qv3380.Setup.from_text(setup.text()) == setup
    assert qv3380.Setup.from_text(path.read_text(encoding="latin-1")) == setup


def test_new_is_the_file_of_a_fresh_start() -> None:
    fresh = qv3380.Setup.new()
    assert fresh.text() == cli("new", "-o", "-").out
    assert fresh.path is None
    assert [r.name for r in fresh.registers][:2] == ["BP0", "AF0"]
    assert fresh.registers[1].address == 0x18


# (settings in order, the command line's complaint about the last, or None)
SETTINGS = [
    ([("PLL1_N", 102)], None),
    ([("MARGIN", "High")], None),
    ([("MARGIN", "high"), ("OUT3D_M", 8)], None),
    ([("REFSEL", "Low"), ("REFFREQ", 26.5)], None),
    ([("REFSEL", 0), ("REFFREQ", "19.44123")], None),
    ([("REFSEL", 0), ("REFFREQ", "19.4412345")], 'REFFREQ: "19.4412345" is not allowed'),
    ([("BLEEDSDM", True), ("PLL2MODM", 64), ("PLL2FRACM", 15)], None),
    ([("OUT0FREQM", "1")], "OUT0FREQM"),
    ([("PLL1_N", 9999)], 'PLL1_N: "9999" is not allowed; it takes from 80 to 143'),
    ([("PLL1_N", "1e2")], 'PLL1_N: "1e2" is not allowed; it takes from 80 to 143'),
    ([("MARGIN", "Middle")], 'MARGIN: "Middle" is not allowed; it takes one of 0 (Low), 1 (High)'),
    ([("REFFREQ", "19,44")], "REFFREQ"),
    ([("PLL1_N", 102), ("NO_SUCH", 1)], "unknown control: NO_SUCH"),
]


@pytest.mark.parametrize("settings, refusal", SETTINGS, ids=lambda s: repr(s)[:40])
def test_settings_follow_edit_set(settings: list[tuple[str, object]], refusal: str | None) -> None:
    args = [
        arg for name, value in settings for arg in ("--set", f"{name}={qv3380._setup._text(value)}")
    ]
    edited = cli("edit", BOARD, *args, "-o", "-")
    setup = qv3380.Setup.load(BOARD)
    before = setup.copy()
    if refusal is None:
        setup.update(dict(settings))
        assert setup.text() == edited.out
        assert setup.plan().to_dict() == qv3380.Setup.from_text(edited.out).plan().to_dict()
        one_by_one = before.copy()
        for name, value in settings:
            one_by_one[name] = value
        assert one_by_one == setup
        return
    with pytest.raises(qv3380.SettingError) as refused:
        setup.update(dict(settings))
    assert edited.status == 2
    assert "qv3380: " + str(refused.value) + "\n" == edited.err
    assert refusal in str(refused.value)
    assert setup == before and setup.text() == before.text(), "a refused setting changes nothing"


def test_controls_read_as_the_panel_shows_them() -> None:
    setup = qv3380.Setup.load(BOARD)
    panel = setup.plan().panel
    for name in ("PLL1_N", "MARGIN", "REFFREQ", "OUT0D_M"):
        assert setup[name] == panel[name].value
    setup["REFFREQ"] = "19.44123"
    assert setup["REFFREQ"] == "19.441230", "as the file's five decimals of MHz load"
    assert setup.refclk_mhz == 19.44123
    with pytest.raises(qv3380.SettingError, match="unknown control: PLL9_N"):
        setup["PLL9_N"]


def _mhz(hz: float) -> str:
    return repr(hz / 1e6)


SOLVES = [
    {"out0": 156.25e6},
    {"out0": 156.25e6, "out2": 161.1328125e6},
    {"out1": 100e6, "map": 1},
    {"out2": 161.1328125e6, "prefer_integer_within_ppm": 20.0},
    {"out0": 10e9},
]


@pytest.mark.parametrize("request_", SOLVES, ids=repr)
def test_solve_offers_what_qv3380_solve_does(request_: dict[str, float]) -> None:
    args = []
    for name, value in request_.items():
        if name.startswith("out"):
            args += [f"--{name}", _mhz(value)]
        elif name == "map":
            args += ["--map", str(value)]
        else:
            args += ["--prefer-integer-within", repr(value)]
    as_json = cli("solve", BOARD, *args, "--json")
    as_file = cli("solve", BOARD, *args, "-o", "-")
    setup = qv3380.Setup.load(BOARD)
    offer = setup.solve(**request_)
    assert offer.to_dict() == json.loads(as_json.out)
    assert offer.status == as_json.status
    assert str(offer) == as_file.err
    assert offer.apply().text() == as_file.out
    assert setup == qv3380.Setup.load(BOARD), "solving changes nothing"


SPREADS = [
    {"pcie": True},
    {"downspread": -0.5, "fmod": 31.5e3},
    {"downspread": -0.25, "fmod": 30e3, "map": 1},
    {"downspread": -5.0, "fmod": 100e3},
]


@pytest.mark.parametrize("request_", SPREADS, ids=repr)
def test_spread_spectrum_offers_what_qv3380_ssc_does(request_: dict[str, float]) -> None:
    if request_.get("pcie"):
        args = ["--pcie"]
    else:
        args = [
            "--downspread",
            repr(request_["downspread"]),
            "--fmod",
            repr(request_["fmod"] / 1e3),
        ]
    if "map" in request_:
        args += ["--map", str(request_["map"])]
    as_json = cli("ssc", BOARD, *args, "--json")
    as_file = cli("ssc", BOARD, *args, "-o", "-")
    offer = qv3380.Setup.load(BOARD).spread_spectrum(**request_)
    assert offer.to_dict() == json.loads(as_json.out)
    assert offer.status == as_json.status
    assert str(offer) == as_file.err
    assert offer.apply().text() == as_file.out


def test_bad_planner_arguments_are_value_errors() -> None:
    setup = qv3380.Setup.new()
    for call in (
        lambda: setup.solve(),
        lambda: setup.solve(out0=-1.0),
        lambda: setup.solve(out0=float("nan")),
        lambda: setup.solve(out0=1e8, map=2),
        lambda: setup.spread_spectrum(downspread=0.0, fmod=3e4),
        lambda: setup.spread_spectrum(downspread=0.5, fmod=3e4),
        lambda: setup.spread_spectrum(downspread=-0.5),
        lambda: setup.spread_spectrum(-0.5, 3e4, pcie=True),
    ):
        with pytest.raises(ValueError):
            call()


PAIRS = [
    (CORPUS / "default.stp", CORPUS / "nondefault.stp"),
    (CORPUS / "default.stp", BOARD),
    (BOARD, BOARD),
    (CORPUS / "pin_wrap.stp", CORPUS / "reordered.stp"),
]
DATED = re.compile(r"^(.*Written by qv3380 [^ ]+ on ).*$", re.MULTILINE)


@pytest.mark.parametrize("before, after", PAIRS, ids=lambda p: p.name)
def test_diff_and_exports_equal_the_command_line(before: Path, after: Path) -> None:
    a, b = qv3380.Setup.load(before), qv3380.Setup.load(after)
    as_json = cli("diff", before, after, "--json")
    diff = a.diff(b)
    assert diff.to_dict() == json.loads(as_json.out)
    assert str(diff) == cli("diff", before, after).out
    assert bool(diff) == (as_json.status == 6) == (a != b)
    assert [str(f) for f in diff.fields] == [
        line[2:] for line in str(diff).split("Fields:\n")[-1].splitlines() if line.startswith("  ")
    ][: len(diff.fields)]
    failing = b.plan().failures()
    for format in ("c", "csv", "hex", "i2c", "dts", "uboot"):
        exported = cli("export", after, "--format", format, "-o", "-", "--force", newline="")
        assert DATED.sub(r"\1", b.export(format, force=True)) == DATED.sub(r"\1", exported.out)
        if failing:
            refused = cli("export", after, "--format", format, "-o", "-")
            with pytest.raises(qv3380.PlanError) as error:
                b.export(format)
            # Each without its last line: what --force or force=True does.
            python_lines = str(error.value).split("\n")[:-1]
            assert said(after, "\n".join(python_lines)) == "".join(
                line + "\n" for line in refused.err.split("\n")[:-2]
            )
        else:
            assert b.export(format) == b.export(format, force=True)
    with pytest.raises(ValueError, match='format: "pdf" is not one of c, csv, hex, i2c'):
        b.export("pdf")


def test_setups_do_not_disturb_each_other() -> None:
    a, b = qv3380.Setup.load(BOARD), qv3380.Setup.load(CORPUS / "nondefault.stp")
    plan_b = b.plan().to_dict()
    a.set("PLL1_N", 90)
    c = a.copy()
    c.set("MARGIN", "Low")
    assert b.plan().to_dict() == plan_b
    assert a["PLL1_N"] == 90 and a["MARGIN"] == qv3380.Setup.load(BOARD)["MARGIN"] == 1
    assert c["PLL1_N"] == 90 and c["MARGIN"] == 0
    assert copy.deepcopy(c) == c and copy.copy(a) == a and a != c
    assert a.export("csv", force=True).count("\n") == b.export("csv", force=True).count("\n")

    # Threads take turns on the program; each gets its own setup's answer.
    expected = {id(s): s.plan().to_dict() for s in (a, b, c)}
    wrong: list[str] = []

    def plan_repeatedly(setup: qv3380.Setup) -> None:
        for _ in range(20):
            if setup.plan().to_dict() != expected[id(setup)]:
                wrong.append(setup.name)

    threads = [threading.Thread(target=plan_repeatedly, args=(s,)) for s in (a, b, c) * 2]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert wrong == []


def test_files_are_written_with_the_careful_save(tmp_path: Path) -> None:
    setup = qv3380.Setup.load(BOARD)
    target = tmp_path / "rev-b.stp"
    setup.set("PLL1_N", 102)
    setup.save(target)
    assert target.read_text() == setup.text()
    assert setup.path == str(target) and setup.name == str(target)
    assert qv3380.Setup.load(target) == setup

    with pytest.raises(qv3380.FileError) as full:
        setup.save("/dev/full")
    assert said("/dev/full", str(full.value)) == cli("new", "-o", "/dev/full").err
    assert setup.path == str(target), "a failed save leaves the setup's file as it was"
    with pytest.raises(qv3380.FileError):
        setup.save(target / "not-a-folder.stp")
    assert target.read_text() == setup.text()


def test_reports_and_pictures_equal_the_command_line(tmp_path: Path) -> None:
    setup = qv3380.Setup.load(BOARD)
    setup.report(tmp_path / "review.md")
    cli("report", BOARD, "-o", tmp_path / "cli.md")
    assert (tmp_path / "review.md").read_bytes() == (tmp_path / "cli.md").read_bytes()
    svg = cli("report", BOARD, "--format", "svg", "--map", "1", "-o", "-").out
    assert setup.report(format="svg", map=1) == svg.encode()
    assert setup.clock_tree_svg() == cli("report", BOARD, "--format", "svg", "-o", "-").out
    assert setup._repr_svg_() == setup.clock_tree_svg()
    assert setup.clock_tree_svg().split("?>", 1)[1].strip() in setup._repr_html_()
    with pytest.raises(ValueError, match="map: a report draws the map in use"):
        setup.report(tmp_path / "r.html", map=1)
    with pytest.raises(ValueError, match="kind of file is unknown"):
        setup.report(tmp_path / "r.txt")
    with pytest.raises(
        qv3380.FileError, match="An error occurred when attempting to export the report"
    ):
        setup.report(tmp_path / "no" / "such" / "folder.html")


def test_the_simulated_chip_takes_what_apply_sends() -> None:
    board = qv3380.Setup.load(BOARD)
    other = board.copy()
    other.set("OUT0D", 5)
    chip = qv3380.Chip(qv3380.SIMULATED)
    with pytest.raises(qv3380.ChipError) as absent:
        qv3380.Chip("NO-SUCH-ADAPTER").check()
    assert str(absent.value) == (
        "NO-SUCH-ADAPTER: the connection check's read of register 0x3F failed: no adapter present"
        " has this serial number or path; qv3380.adapters() lists those present"
    )
    with chip:
        chip.check()
        chip.apply(board)
        matches = chip.verify(board)
        assert matches == [] and matches.matches
        mismatches = chip.verify(other)
        assert [str(m) for m in mismatches] == [
            "OUT0 output divider, map 0: expected 5, chip holds 4"
        ]
        assert mismatches.summary == f"The chip differs from {BOARD} in 1 field (1 register)."
        read = chip.read(like=board)
    # The chip holds the look-ahead bit the tool sets; all else is the file.
    assert [f.name for f in board.diff(read).fields] == ["Look-ahead enable"]
    writes = [t for t in chip.transfers if t.kind == "write"]
    assert len(writes) == 43 and all(t.ok for t in chip.transfers)
    # Two connection checks, then two verifications and a read: the probe and 32 registers each.
    assert len(chip.transfers) - len(writes) == 2 + 3 * (1 + 32)
    # A plan that fails a check reaches the chip only when forced.
    failing = board.copy()
    failing.set("PLL1_N", 85)
    with chip:
        with pytest.raises(qv3380.PlanError, match="The plan fails"):
            chip.apply(failing)
        assert len(chip.transfers) == 2 + 43 + 3 * (1 + 32)
        chip.apply(failing, force=True)
        assert chip.verify(failing) == []


def test_the_trace_goes_where_the_script_says_and_nowhere_else(tmp_path: Path) -> None:
    board = qv3380.Setup.load(BOARD)
    outer, inner = tmp_path / "outer.log", tmp_path / "inner.log"
    qv3380.trace(outer)
    try:
        with qv3380.trace(inner):
            with qv3380.Chip(qv3380.SIMULATED) as chip:
                chip.apply(board)
        qv3380.Setup.load(BOARD)
        with pytest.raises(qv3380.FileError) as refused:
            qv3380.trace(tmp_path / "no" / "t.log")
        assert str(refused.value) == (
            f"{tmp_path}/no/t.log: trace not written: No such file or directory"
        )
    finally:
        qv3380.trace(None)
    qv3380.Setup.load(BOARD)
    words = lambda path: [line.split(" ", 1)[1] for line in path.read_text().splitlines()]
    traced = words(inner)
    assert traced[0].startswith(f"program qv3380 (Python) {qv3380.__version__}, pid ")
    assert sum(line.startswith("transfer write register") for line in traced) == 43
    assert not any(line.startswith("file read") for line in traced)
    # The outer file: before and after the block, with the block's lines in the inner one only.
    assert [line.split(" ", 1)[0] for line in words(outer)].count("program") == 2
    # One load after the block; none after the trace ended.
    assert [line for line in words(outer) if line.startswith("file read")] == [
        f"file read {BOARD} ({BOARD.stat().st_size} bytes)"
    ]
    assert not any(line.startswith("transfer") for line in words(outer))
    assert qv3380._core.trace_path() == ""

    # At import, as for the programs; a file that cannot be opened is a warning.
    module = {**os.environ, "PYTHONPATH": str(Path(qv3380.__file__).parents[1])}
    variables = ((tmp_path / "env.log", ""), (tmp_path / "no" / "env.log", "trace not written"))
    for path, warned in variables:
        ran = subprocess.run(
            [sys.executable, "-c", f"import qv3380; qv3380.Setup.load({str(BOARD)!r})"],
            env={**module, "QV3380_TRACE": str(path)},
            capture_output=True,
            text=True,
            check=False,
        )
        assert ran.returncode == 0, ran.stderr
        assert (warned in ran.stderr) if warned else ran.stderr == ""
        assert path.exists() == (not warned)
        assert warned or f"file read {BOARD}" in path.read_text()


def test_adapters_are_listed_as_qv3380_adapters_lists_them() -> None:
    listed = json.loads(cli("adapters", "--json").out)
    assert (listed["schema"], listed["version"]) == ("qv3380.adapters", 1)
    assert [a.to_dict() for a in qv3380.adapters()] == listed["adapters"]
    assert qv3380.adapters_table() == cli("adapters").out


def test_the_readme_lab_script_runs(tmp_path: Path) -> None:
    readme = (SOURCE / "README.md").read_text()
    script = readme.split("## From Python", 1)[1].split("```python\n", 1)[1].split("```", 1)[0]
    (tmp_path / "lab.py").write_text(script)
    module = {**os.environ, "PYTHONPATH": str(Path(qv3380.__file__).parents[1])}
    ran = subprocess.run(
        [sys.executable, "lab.py", str(BOARD), qv3380.SIMULATED],
        cwd=tmp_path,
        env=module,
        capture_output=True,
        text=True,
        check=False,
    )
    assert ran.returncode == 0, ran.stderr
    assert "Chip matches planned.stp (32 registers)" in ran.stdout
    assert (tmp_path / "planned.h").read_text().startswith("/*")
    assert (
        qv3380.Setup.load(tmp_path / "planned.stp").plan().output("OUT2").frequency_hz
        == 161.1328125e6
    )


def test_help_reads_as_a_manual() -> None:
    import pydoc

    text = pydoc.render_doc(qv3380, renderer=pydoc.plaintext)
    for expected in ("class Setup", "class Chip", "adapters()", "SettingError", "Setup.load"):
        assert expected in text
    assert qv3380.Setup.__module__ == "qv3380"
