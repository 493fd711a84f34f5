"""A configuration of the chip as a value: what a setup file (.stp) states."""

from __future__ import annotations

import html
import json
import math
import os
from typing import Any, Mapping

from . import _core
from ._plan import Pins, Plan
from ._records import Record, key, record
from ._results import Diff, FieldChange, SolveResult, SscResult

Value = int | str | float | bool


@record
class Register(Record):
    """One of the chip's 32 registers."""

    name: str = key()  #: "AF0"
    address: int = key()  #: 0x18
    value: int = key()


def _text(value: Value) -> str:
    """A value as ``--set CONTROL=VALUE`` would be typed."""
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, float):
        return repr(value)
    return str(value)


def _frequency(name: str, hz: float | None) -> float | None:
    if hz is None:
        return None
    if not (isinstance(hz, (int, float)) and math.isfinite(hz) and hz > 0):
        raise ValueError(f"{name}: {hz!r} is not a frequency in Hz above 0")
    return float(hz)


class Setup:
    """The registers, pins and reference settings of one configuration, held
    by the object: any number can live side by side, and none changes another
    or anything in the program.

    Make one with :meth:`load`, :meth:`new` or :meth:`from_text`. Controls
    are set and read by the main panel's constants, with the ranges and the
    rules of ``qv3380 edit --set`` (a handler's side effects included)::

        setup = qv3380.Setup.load("board.stp")
        setup.set("PLL1_N", 102)
        setup["MARGIN"] = "High"      # a ring also takes its item's text
        setup["REFFREQ"]              # '19.440000'

    A Setup always equals what its setup file reads back as: the REFCLK is
    kept to the file's five decimals of MHz. Two setups are equal when their
    files would state the same; ``name`` (the file's path, or a label) is not
    part of that.
    """

    def __init__(self, *args: Any, **kwargs: Any) -> None:
        raise TypeError("make a Setup with Setup.load(path), Setup.new() or Setup.from_text(text)")

    @classmethod
    def _made(cls, state: Any, name: str) -> Setup:
        setup = cls.__new__(cls)
        setup._state = state
        setup.name = name
        return setup

    @classmethod
    def load(cls, path: str | os.PathLike[str]) -> Setup:
        """A setup file, checked as File > Open Setup... checks it:
        :class:`FileError` with the reader's message when it is refused."""
        path = os.fspath(path)
        return cls._made(_core.load_setup(path), path)

    @classmethod
    def new(cls) -> Setup:
        """The configuration of a fresh start (``qv3380 new``)."""
        return cls._made(_core.new_setup(), "new setup")

    @classmethod
    def from_text(cls, text: str, name: str = "setup text") -> Setup:
        """A setup file's text, checked as a file is."""
        return cls._made(_core.setup_from_text(text), name)

    name: str
    """Names the setup in comparisons, exports and reports: the path it was
    loaded from or saved to, or a label; set it as you like."""

    @property
    def path(self) -> str | None:
        """The setup file it was loaded from or last saved to, if any."""
        return self._state.file

    @property
    def registers(self) -> list[Register]:
        """The 32 registers in the order of the register table."""
        return [Register(name=n, address=a, value=v) for n, a, v in self._state.registers()]

    @property
    def pins(self) -> Pins:
        refsel, margin, sscg, max_bw = self._state.pins
        return Pins(refsel=refsel, margin=margin, sscg=sscg, max_bw=max_bw)

    @property
    def crystal_index(self) -> int:
        """0 (19.44 MHz), 1 (25 MHz) or 2 (27 MHz)."""
        return self._state.crystal_index

    @property
    def refclk_mhz(self) -> float:
        """The external REFCLK's frequency, as the file keeps it."""
        return self._state.refclk_mhz

    # Controls

    def set(self, control: str, value: Value) -> None:
        """Commits ``value`` to a main-panel control as ``qv3380 edit --set
        CONTROL=VALUE`` does: checked against its range (a ring also takes an
        item's text, REFFREQ a decimal number of MHz), then its handler runs.
        :class:`SettingError` with the command line's message when refused,
        and the setup stays as it was."""
        self.update({control: value})

    def update(self, controls: Mapping[str, Value] | None = None, /, **more: Value) -> None:
        """Several settings in the order given, in one go as one ``qv3380
        edit`` with several ``--set`` does; all or nothing."""
        settings = [(name, _text(value)) for name, value in {**(controls or {}), **more}.items()]
        self._state = _core.apply_settings(self._state, settings)

    def __setitem__(self, control: str, value: Value) -> None:
        self.set(control, value)

    def __getitem__(self, control: str) -> int | str:
        """What a control of the main panel shows: a number, or a text box's text."""
        return _core.control_value(self._state, control)

    # The plan and the planners

    def plan(self) -> Plan:
        """Both maps with every check: ``qv3380 show --json`` as objects."""
        return Plan.from_dict(
            json.loads(_core.plan_document(self._state)), text=_core.plan_report(self._state)
        )

    def failures(self) -> str:
        """What ``qv3380 check`` prints: a line per failed check of either map."""
        return _core.plan_failures(self._state)

    def solve(
        self,
        *,
        out0: float | None = None,
        out1: float | None = None,
        out2: float | None = None,
        out3: float | None = None,
        map: int | None = None,
        prefer_integer_within_ppm: float | None = None,
    ) -> SolveResult:
        """The best dividers for the output frequencies wanted, in Hz
        (``qv3380 solve``); ``map`` by default the one MARGIN selects. An
        integer feedback divider that meets every target of its PLL within
        ``prefer_integer_within_ppm`` beats a fractional one. ``.apply()``
        gives the new Setup."""
        targets = [_frequency(f"out{k}", hz) for k, hz in enumerate((out0, out1, out2, out3))]
        if all(hz is None for hz in targets):
            raise ValueError("solve needs at least one of out0 .. out3")
        ppm = float(prefer_integer_within_ppm or 0.0)
        if not (math.isfinite(ppm) and ppm >= 0):
            raise ValueError(
                f"prefer_integer_within_ppm: {prefer_integer_within_ppm!r} is not a number of ppm"
            )
        document, text, status, applied = _core.solve(self._state, targets, _map(map), ppm)
        return SolveResult.from_dict(
            json.loads(document),
            status=status,
            text=text,
            _applied=self._derived(applied, "with the solver's plan"),
        )

    def spread_spectrum(
        self,
        downspread: float | None = None,
        fmod: float | None = None,
        *,
        pcie: bool = False,
        map: int | None = None,
    ) -> SscResult:
        """FracStep, NumSteps and CkDiv for a downspread in percent (-0.5) and
        a modulation frequency in Hz (31.5e3), keeping the VCO (``qv3380
        ssc``); ``pcie=True`` is PCI Express's -0.5 % at 31.5 kHz and its
        window. ``.apply()`` gives the new Setup."""
        if pcie:
            if downspread is not None or fmod is not None:
                raise ValueError("pcie=True names the downspread and fmod itself")
            request = None
        else:
            if downspread is None or fmod is None:
                raise ValueError("spread_spectrum needs downspread and fmod, or pcie=True")
            if not (math.isfinite(downspread) and downspread < 0):
                raise ValueError(
                    f"downspread: {downspread!r} is above 0: the chip only spreads down, so give"
                    f" it as {-downspread!r}"
                    if downspread > 0
                    else f"downspread: {downspread!r} is not a number of percent below 0"
                )
            request = (float(downspread), _frequency("fmod", fmod))
        document, text, status, applied = _core.spread_spectrum(self._state, request, _map(map))
        return SscResult.from_dict(
            json.loads(document),
            status=status,
            text=text,
            _applied=self._derived(applied, "with spread spectrum"),
        )

    def diff(self, other: Setup) -> Diff:
        """What differs from this setup to ``other``, field by field with the
        outputs each difference moves (``qv3380 diff THIS OTHER``); true when
        they differ."""
        document, text, lines = _core.diff(self._state, other._state, self.name, other.name)
        found = json.loads(document)
        fields = [
            FieldChange.from_dict(entry, text=line) for entry, line in zip(found["fields"], lines)
        ]
        return Diff.from_dict(found, text=text, fields=fields)

    # Files

    def text(self) -> str:
        """The setup file (``qv3380 edit -o -``)."""
        return _core.setup_text(self._state)

    def save(self, path: str | os.PathLike[str]) -> None:
        """Writes the setup file with the program's careful save: a failure
        (:class:`FileError`) keeps the file that was there."""
        path = os.fspath(path)
        self._state = _core.save_setup(self._state, path)
        self.name = path

    def export(
        self,
        format: str,
        *,
        force: bool = False,
        i2c_bus_label: str = "",
        i2c_bus: int = 0,
        provenance: bool = False,
    ) -> str | bytes:
        """The registers for firmware and boot (``qv3380 export --format``):
        "c" (a C header), "csv", "hex", "i2c" (an i2c-tools script), "uboot"
        (a U-Boot script for ``i2c dev`` ``i2c_bus``), "dts" (a device-tree
        overlay; ``i2c_bus_label`` adds the chip's node under that bus) as
        text, "linux-firmware" as bytes; each carries the sequence the tool
        sends for a whole set. ``provenance`` adds the provenance columns to
        the CSV. A plan that fails a check of either map raises
        :class:`PlanError` naming the checks, unless ``force``: then the
        failures are written into the export's header."""
        made = _core.export(self._state, format, force, i2c_bus_label, i2c_bus, provenance)
        return made if format.lower() == "linux-firmware" else made.decode()

    def json_definition(self) -> str:
        """The JSON definition (``qv3380 export-json``)."""
        return _core.json_definition(self._state)

    def report(
        self,
        path: str | os.PathLike[str] | None = None,
        *,
        format: str | None = None,
        map: int | None = None,
    ) -> bytes | None:
        """The design report (pdf, html, md) or the clock tree (svg, png, of
        ``map`` or the map in use), the kind by ``format`` or the path's
        extension (``qv3380 report``). Written to ``path``; without one the
        file's bytes are returned. PDF and PNG need Qt's GUI module."""
        target = os.fspath(path) if path is not None else ""
        if not target and not format:
            raise ValueError("report needs a path or a format")
        made = _core.report(self._state, target, format or "", _map(map), self.name)
        return None if target else made

    def clock_tree_svg(self, map: int | None = None) -> str:
        """The clock tree of ``map`` (default: the one MARGIN selects) as SVG text."""
        return _core.report(self._state, "", "svg", _map(map), self.name).decode()

    # Values

    def copy(self) -> Setup:
        """An independent copy."""
        return Setup._made(self._state, self.name)

    __copy__ = copy

    def __deepcopy__(self, memo: dict[int, Any]) -> Setup:
        return self.copy()

    def __eq__(self, other: object) -> bool:
        if not isinstance(other, Setup):
            return NotImplemented
        return bool(self._state.same_configuration(other._state))

    __hash__ = None  # type: ignore[assignment]

    def __repr__(self) -> str:
        return f"<qv3380.Setup {self.name!r}>"

    def _repr_svg_(self) -> str:
        return self.clock_tree_svg()

    def _repr_html_(self) -> str:
        title = html.escape(f"{self.name}: {self.plan().in_use.title}")
        svg = self.clock_tree_svg()
        picture = svg[svg.find("<svg") :]  # inline SVG takes no XML declaration
        return f'<figure class="qv3380-setup">{picture}<figcaption>{title}</figcaption></figure>'

    def _derived(self, state: Any, what: str) -> Setup | None:
        return None if state is None else Setup._made(state, f"{self.name} {what}")

    _state: Any


def _map(map: int | None) -> int | None:
    if map not in (None, 0, 1):
        raise ValueError(f"map: {map!r} is not 0 or 1")
    return map
