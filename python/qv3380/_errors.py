"""The exceptions qv3380 raises.

Each carries, as its text, the message the command line ``qv3380`` prints for
the same refusal (without the ``qv3380:`` in front), and stands for one of its
exit statuses: a setting refused (2), a file refused or not written (1), a
plan that cannot be made (3), the chip not reached or a transfer refused (4).
"""

from __future__ import annotations


class Error(Exception):
    """Anything qv3380 refuses to do; ``str(error)`` says why."""


class SettingError(Error, ValueError):
    """A control name or value ``qv3380 edit --set`` would refuse.

    >>> setup.set("PLL1_N", 9999)
    SettingError: PLL1_N: "9999" is not allowed; it takes from 80 to 143
    """


class FileError(Error):
    """A setup file refused (the reader names its first problem and line), or
    a file that could not be written; the file that was there is kept."""


class PlanError(Error):
    """A planner that cannot plan at all for the request, or whose plan the
    panel refused. A target merely out of reach is no error: the result says so."""


class ChipError(Error):
    """The chip did not answer, or refused a transfer.

    When a whole register set reached the chip only in part, ``transfers`` is
    the number of transfers the set took and ``reached`` how many of them
    reached the chip; both are ``None`` otherwise.
    """

    transfers: int | None = None
    reached: int | None = None
