"""The QV3380 clock generator from Python: setup files, plans and the chip.

qv3380 runs the code of the command line ``qv3380`` (and of the GUI's menus)
in the script's process, so every result equals what the command line prints
for the same input, and every refusal carries its message.

Configurations are values. A :class:`Setup` holds the registers, pins and
reference settings of one configuration; a script can hold any number of them
side by side, and none disturbs another::

    import qv3380

    board = qv3380.Setup.load("board.stp")       # FileError when refused
    board.set("MARGIN", "High")                  # as qv3380 edit --set
    plan = board.plan()                          # qv3380 show --json, as objects
    print(plan.in_use.output("OUT0").frequency_hz, plan.fails)

    offer = board.solve(out0=156.25e6, out2=161.1328125e6)   # qv3380 solve
    print(offer)                                 # the report qv3380 solve prints
    planned = offer.apply()                      # a new Setup; board stays
    planned.save("planned.stp")
    print(board.diff(planned))                   # qv3380 diff

The chip is reached through its USB adapter, chosen by serial number or
hidraw path (:func:`adapters` lists them), or simulated with ``"sim"``::

    with qv3380.Chip("MOCK0001") as chip:
        chip.apply(planned)                      # ChipError when it fails
        assert not chip.verify(planned)          # the fields that differ
        print(chip.read(like=planned).text())

Results that are documents of the command line (:class:`Plan`,
:class:`SolveResult`, :class:`SscResult`, :class:`Diff`, :class:`Adapter`)
give that document back with ``to_dict()``, and ``str()`` of a result is the
text the command prints without ``--json``.

Errors: :class:`SettingError` (a control or value refused), :class:`FileError`
(a file refused or not written), :class:`PlanError` (nothing can be planned),
:class:`ChipError` (the chip not reached, or a transfer refused); all are
:class:`Error`.

:func:`trace` writes the diagnostic trace of the programs (every transfer,
file and refusal, a line each) to a file; ``QV3380_TRACE`` names one at import.
"""

from ._chip import SIMULATED, Adapter, Chip, Transfer, adapters, adapters_table
from ._core import TOOL_VERSION as __version__
from ._errors import ChipError, Error, FileError, PlanError, SettingError
from ._plan import Check, Control, Map, NRange, Output, Pins, Pll, Plan, Reference, SpreadSpectrum
from ._records import Record
from ._results import (
    BoardChange,
    Diff,
    FieldChange,
    FrequencyChange,
    Offer,
    OutputChoice,
    PllChoice,
    RegisterChange,
    SolveResult,
    SscAchieved,
    SscFeedback,
    SscFigures,
    SscResult,
    SscSettings,
    SscWindow,
    Verification,
)
from ._setup import Register, Setup
from ._trace import Trace, trace, trace_from_environment

__all__ = [
    "Adapter",
    "BoardChange",
    "Check",
    "Chip",
    "ChipError",
    "Control",
    "Diff",
    "Error",
    "FieldChange",
    "FileError",
    "FrequencyChange",
    "Map",
    "NRange",
    "Offer",
    "Output",
    "OutputChoice",
    "Pins",
    "Plan",
    "PlanError",
    "Pll",
    "PllChoice",
    "Record",
    "Reference",
    "Register",
    "RegisterChange",
    "SIMULATED",
    "SettingError",
    "Setup",
    "SolveResult",
    "SpreadSpectrum",
    "SscAchieved",
    "SscFeedback",
    "SscFigures",
    "SscResult",
    "SscSettings",
    "SscWindow",
    "Trace",
    "Transfer",
    "Verification",
    "adapters",
    "adapters_table",
    "trace",
]

# Shown and pickled as qv3380.Setup, not as the private module that defines it.
for _name in __all__:
    if isinstance(globals()[_name], type):
        globals()[_name].__module__ = __name__
del _name

trace_from_environment()
del trace_from_environment
