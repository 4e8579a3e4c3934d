"""What the tests of the package share: the shipped inputs, the program, and comparisons."""

import json
import math
import os
import subprocess
from pathlib import Path

import numpy as np
import pandas as pd
import pytest

ROOT = Path(__file__).resolve().parents[2]
EXAMPLES = [ROOT / "examples" / name for name in ("landfill", "impoundment")]
REFERENCES = [ROOT / "tests" / "data" / "reference" / name for name in ("landfill", "impoundment")]
NON_FINITE = {"NaN": math.nan, "Infinity": math.inf, "-Infinity": -math.inf}

# Pages carry the run's date: the tests fix it (2023-11-14), as the C++ tests do, so that pages
# made by the program and by the package compare byte for byte whatever the day.
os.environ["SOURCE_DATE_EPOCH"] = "1700000000"


@pytest.fixture(scope="session")
def cli():
    """The program vorn of the same sources (VORN_CLI, default build/vorn)."""
    program = Path(os.environ.get("VORN_CLI", ROOT / "build" / "vorn"))
    if not program.is_file():
        pytest.skip(f"{program} is not built: cmake --build --preset default")
    return program


def cli_json(cli, run_dir, tmp_path):
    """The program's JSON export of a run in `run_dir`, and its exit status."""
    out = tmp_path / "export.json"
    done = subprocess.run([str(cli), str(run_dir), "--json", str(out)], capture_output=True)
    return json.loads(out.read_text(encoding="utf-8")), done.returncode


def same_value(mine, expected):
    """Equal as JSON gives it: the identical double (NaN to NaN), int, bool or text."""
    if isinstance(expected, str) and expected in NON_FINITE and isinstance(mine, float):
        expected = NON_FINITE[expected]
    if isinstance(expected, float) and math.isnan(expected):
        return isinstance(mine, float) and math.isnan(mine)
    return type(mine) is type(expected) and mine == expected


def python_value(value):
    """A cell of a frame as the Python value it holds (numpy scalars to float, int, bool)."""
    return value.item() if isinstance(value, np.generic) else value


def flat_chemical(entry):
    """A chemical of the JSON export as one row: arrays spread as the CSV export spreads them."""
    row = {"index": entry["index"], **entry["chemical"], **entry["results"]}
    for name, value in entry["report"].items():
        if isinstance(value, list):
            row.update({f"{name}_{k}": v for k, v in enumerate(value, 1)})
        else:
            row[name] = value
    return row


def assert_matches_export(result, document):
    """Every value of a Result equals the JSON export's, under the same names in the same order."""
    assert (result.status, result.message) == (document["status"], document.get("message", ""))
    assert list(result.unit) == list(document.get("unit", {}))
    for name, value in document.get("unit", {}).items():
        assert same_value(result.unit[name], value), name
    rows = [flat_chemical(entry) for entry in document.get("chemicals", [])]
    frame = result.chemicals
    assert len(frame) == len(rows)
    for k, expected in enumerate(rows):
        assert list(frame.columns) == list(expected)
        for name, value in expected.items():
            assert same_value(python_value(frame[name].iloc[k]), value), (k, name)


def assert_same_result(mine, expected):
    """Two Results hold the same outcome, texts and values (NaN equal to NaN)."""
    assert (mine.status, mine.exit_status, mine.message) == (
        expected.status, expected.exit_status, expected.message)
    assert mine.unit.keys() == expected.unit.keys()
    assert all(same_value(mine.unit[k], v) for k, v in expected.unit.items())
    pd.testing.assert_frame_equal(mine.chemicals, expected.chemicals, check_exact=True)
    assert (mine.report_text, mine.log_text) == (expected.report_text, expected.log_text)
