"""What the planners and the comparisons give: the documents ``qv3380 solve
--json``, ``ssc --json`` and ``diff --json`` print, as objects, with the text
the same commands print without ``--json``."""

from __future__ import annotations

from typing import TYPE_CHECKING, Any

from ._errors import PlanError
from ._records import Record, key, record

if TYPE_CHECKING:
    from ._setup import Setup


@record
class PllChoice(Record):
    """A PLL's feedback as the solver sets it; the rest only when ``changed``."""

    changed: bool = key()
    n: int | None = key(optional=True)
    frac: int | None = key(optional=True)
    mod: int | None = key(optional=True)
    vco_hz: float | None = key(optional=True)


@record
class OutputChoice(Record):
    """One output in a solver's plan: a target met (``wanted``), a frequency
    kept (``kept_hz``), or neither; ``v`` and ``d`` are the dividers it runs on."""

    wanted: bool = key()
    target_hz: float | None = key(optional=True)
    achieved_hz: float | None = key(optional=True)
    error_ppm: float | None = key(optional=True)
    reachable: bool | None = key(optional=True)
    kept_hz: float | None = key(optional=True)
    moved_ppm: float | None = key(optional=True)
    v: int | None = key(optional=True)
    d: int | None = key(optional=True)


class Offer:
    """A planner's offer, made for one setup and applied to it with ``apply()``."""

    def apply(self) -> Setup:
        """A new Setup with the plan applied as a user's commits (qv3380 ... -o);
        the setup it was made for stays as it is."""
        applied = getattr(self, "_applied")
        if applied is None:
            raise PlanError("the panel refused a value of the plan")
        return applied.copy()

    def __str__(self) -> str:
        return str(getattr(self, "text"))


@record
class SolveResult(Offer, Record):
    """The best dividers for the targets: ``qv3380 solve``. ``status`` is what
    it exits with: 0 every target met exactly, 5 met but not all exactly, 3 one
    out of reach."""

    schema: str = key()  #: "qv3380.solve"
    version: int = key()
    map: int = key()
    pfd_hz: float = key()
    pll1: PllChoice = key()
    pll2: PllChoice = key()
    sdm_needed: bool = key()
    all_reachable: bool = key()
    all_exact: bool = key()
    any_moved: bool = key()
    prefer_integer_within_ppm: float = key()
    out0: OutputChoice = key()
    out1: OutputChoice = key()
    out2: OutputChoice = key()
    out3: OutputChoice = key()
    status: int = key(document=False)
    text: str = key(document=False, repr=False)
    _applied: Any = key(document=False, repr=False, compare=False)  #: a Setup, or None

    @property
    def outputs(self) -> list[OutputChoice]:
        return [self.out0, self.out1, self.out2, self.out3]


@record
class SscFigures(Record):
    """A downspread in percent and a modulation frequency in Hz."""

    downspread_percent: float = key()
    fmod_hz: float = key()


@record
class SscWindow(Record):
    """What counts as meeting a request."""

    deepest_percent: float = key()
    shallowest_percent: float = key()
    fmod_low_hz: float = key()
    fmod_high_hz: float = key()


@record
class SscSettings(Record):
    """The shared spread-spectrum controls."""

    fracstep: int = key()
    numstep: int = key()
    ckdiv: int = key()


@record
class SscFeedback(Record):
    """PLL2's feedback of the map; ``changed`` when the modulus had to move."""

    n: int = key()
    frac: int = key()
    mod: int = key()
    changed: bool = key()
    vco_hz: float = key()


@record
class SscAchieved(Record):
    """The spread the settings give."""

    downspread_percent: float = key()
    fmod_hz: float = key()
    span: int = key()
    minimum_span: int = key()


@record
class SscResult(Offer, Record):
    """The spread-spectrum settings for a request: ``qv3380 ssc``. ``status``:
    0 met exactly, 5 within the window, 3 not."""

    schema: str = key()  #: "qv3380.ssc"
    version: int = key()
    map: int = key()
    pfd_hz: float = key()
    asked: SscFigures = key()
    window: SscWindow = key()
    settings: SscSettings = key()
    pll2: SscFeedback = key()
    achieved: SscAchieved = key()
    error: SscFigures = key()
    within_window: bool = key()
    exact: bool = key()
    off_because: str | None = key(optional=True)
    notes: list[str] = key()
    status: int = key(document=False)
    text: str = key(document=False, repr=False)
    _applied: Any = key(document=False, repr=False, compare=False)  #: a Setup, or None


@record
class FrequencyChange(Record):
    """An output frequency that moves; ``map`` is "in use" when the two sides
    select different maps."""

    output: str = key()
    map: int | str = key()
    old_mhz: float = key()
    new_mhz: float = key()


@record
class RegisterChange(Record):
    name: str = key()
    address: int = key()
    old: int = key()
    new: int = key()


@record
class FieldChange(Record):
    """A field of the chip that differs, by its human name, with the values as
    read ("5 (LVPECL/LVDS)") and the outputs the change alone moves. From
    ``Chip.verify`` ``old`` is what the setup holds and ``new`` the chip.
    ``str()`` is the line qv3380 prints for it."""

    name: str = key()
    registers: str = key()
    old: int = key()
    new: int = key()
    old_text: str = key()
    new_text: str = key()
    outputs: list[FrequencyChange] = key()
    text: str = key(document=False, repr=False)

    def __str__(self) -> str:
        return self.text


@record
class BoardChange(Record):
    """A pin or reference setting that differs, as a person reads it."""

    name: str = key()
    old: str = key()
    new: str = key()
    outputs: list[FrequencyChange] = key()


@record
class Diff(Record):
    """Two configurations compared: ``qv3380 diff``. True when they differ."""

    schema: str = key()  #: "qv3380.diff"
    version: int = key()
    old: str = key()
    new: str = key()
    equal: bool = key()
    registers: list[RegisterChange] = key()
    fields: list[FieldChange] = key()
    board: list[BoardChange] = key()
    frequencies: list[FrequencyChange] = key()
    text: str = key(document=False, repr=False)

    def __bool__(self) -> bool:
        return not self.equal

    def __str__(self) -> str:
        return self.text


class Verification(list[FieldChange]):
    """The fields in which the chip differs from a setup (``qv3380 verify``):
    empty, and false, when it holds the setup; ``summary`` is the line that
    says so either way."""

    summary: str

    def __init__(self, fields: list[FieldChange], summary: str) -> None:
        super().__init__(fields)
        self.summary = summary

    @property
    def matches(self) -> bool:
        return not self
