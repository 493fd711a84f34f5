"""The configuration of the qv3380 module's tests.

CTest (tests/python/CMakeLists.txt) sets QV3380_CLI to the qv3380 of the build
and QV3380_SOURCE to the source tree, and runs the tests marked ``chip`` under
tools/qv3380-sim with two adapters and those marked ``unplugged`` under it
with an adapter pulled after 21 commands.
"""

from __future__ import annotations

import pytest

from support import under_simulator


def pytest_configure(config: pytest.Config) -> None:
    config.addinivalue_line("markers", "chip: needs tools/qv3380-sim --adapters 2")
    config.addinivalue_line("markers", "unplugged: needs tools/qv3380-sim --unplug-after 21")


@pytest.fixture
def simulator() -> None:
    if not under_simulator():
        pytest.skip("needs the simulated adapters: run under tools/qv3380-sim (CTest does)")
