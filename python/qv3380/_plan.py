"""The plan of a configuration: the document ``qv3380 show --json`` prints
(schema ``qv3380.plan``, docs/plan.schema.json), as objects."""

from __future__ import annotations

from ._records import Record, key, record


@record
class Pins(Record):
    """The board's pins, 1 high and 0 low."""

    refsel: int = key("REFSEL")
    margin: int = key("MARGIN")
    sscg: int = key("SSCG")
    max_bw: int = key("MAX_BW")


@record
class Reference(Record):
    """Where the PFD's clock comes from."""

    source: str = key()  #: "crystal" or "refclk"
    crystal_index: int = key()  #: 0 (19.44 MHz), 1 (25 MHz) or 2 (27 MHz)
    crystal_hz: float = key()
    refclk_hz: float | None = key()
    refclk_divider: int = key()  #: 1 or 2


@record
class NRange(Record):
    """The feedback dividers the PFD frequency allows."""

    min: int = key()
    max: int = key()


@record
class Pll(Record):
    """One PLL of one map; ``frac``, ``mod`` and ``fractional_n`` only for the fractional PLL2."""

    name: str = key()
    powered: bool = key()
    n: int = key()
    frac: int | None = key(optional=True)
    mod: int | None = key(optional=True)
    fractional_n: bool | None = key(optional=True)
    ratio: float | None = key()
    vco_hz: float | None = key()
    sync: bool = key()
    format_code: int = key()
    format: str = key()


@record
class Output(Record):
    """One output of one map; frequencies in Hz, ``None`` where undefined."""

    name: str = key()
    pll: str = key()
    powered: bool = key()
    active: bool = key()
    v: int = key()
    d: int = key()
    effective_v: int = key()
    family: str = key()
    frequency_hz: float | None = key()
    limit_hz: float = key()


@record
class SpreadSpectrum(Record):
    """Spread spectrum as one map would run it; ``off_because`` says why not when it is off."""

    active: bool = key()
    fracstep: int = key()
    numstep: int = key()
    ckdiv: int = key()
    span: int = key()
    minimum_span: int = key()
    downspread_percent: float | None = key()
    modulation_hz: float | None = key()
    off_because: str | None = key(optional=True)


@record
class Map(Record):
    """One frequency map (MARGIN low: 0, high: 1)."""

    map: int = key()
    title: str = key()
    in_use: bool = key()
    verdict: str = key()  #: "pass", "warning" or "fail"
    plls: list[Pll] = key()
    outputs: list[Output] = key()
    spread_spectrum: SpreadSpectrum = key()

    def output(self, name: str | int) -> Output:
        """An output by name ("OUT2") or number (2)."""
        wanted = name if isinstance(name, str) else f"OUT{name}"
        for output in self.outputs:
            if output.name == wanted:
                return output
        raise KeyError(name)


@record
class Check(Record):
    """One rule of the chip applied to one map, with its verdict and the reason."""

    map: int = key()
    check: str = key()  #: the kind: "pfd", "vco", "output", ...
    subject: str = key()
    verdict: str = key()  #: "pass", "warning", "fail" or "inactive"
    reason: str = key()
    value: float | None = key()
    low: float | None = key()
    high: float | None = key()
    unit: str = key()


@record
class Control(Record):
    """A control of the main panel as the program shows it: its value and look."""

    value: int | str | None = key(optional=True)
    dimmed: bool = key()
    visible: bool = key()
    text_bg_color: str = key()
    text_color: str = key()
    label_color: str = key()
    on_color: str | None = key(optional=True)
    off_color: str | None = key(optional=True)
    frame_color: str | None = key(optional=True)


@record
class Plan(Record):
    """Both frequency maps of a configuration with every check, and the whole
    panel under ``panel``. ``to_dict()`` is ``qv3380 show --json``; ``str()``
    is what ``qv3380 show`` prints."""

    schema: str = key()
    version: int = key()
    pins: Pins = key()
    reference: Reference = key()
    pfd_hz: float | None = key()
    n_range: NRange = key()
    map_in_use: int = key()
    sdm_powered: bool = key()
    maps: list[Map] = key()
    checks: list[Check] = key()
    fails: bool = key()  #: a check of either map fails (qv3380 show exits 3)
    panel: dict[str, Control] = key()
    text: str = key(document=False, repr=False)  #: qv3380 show

    @property
    def in_use(self) -> Map:
        """The map MARGIN selects."""
        return self.maps[self.map_in_use]

    def output(self, name: str | int, map: int | None = None) -> Output:
        """An output ("OUT0" or 0) of a map, by default the one in use."""
        return (self.in_use if map is None else self.maps[map]).output(name)

    def failures(self) -> list[Check]:
        """The checks that fail, of either map."""
        return [check for check in self.checks if check.verdict == "fail"]

    def __str__(self) -> str:
        return self.text
