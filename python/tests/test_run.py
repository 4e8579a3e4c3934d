"""vorn.run and vorn.run_many against the program and the reference runs."""

import json
import pickle
import shutil
import sys
import threading
import time

import pytest
import vorn
from conftest import EXAMPLES, REFERENCES, assert_matches_export, assert_same_result, cli_json


@pytest.mark.parametrize("example", EXAMPLES, ids=lambda p: p.name)
def test_run_equals_the_programs_json_export(example, cli, tmp_path):
    (tmp_path / "cli").mkdir()
    (tmp_path / "mine").mkdir()
    for where in ("cli", "mine"):
        shutil.copy(example / "VORN.IN", tmp_path / where / "VORN.IN")
    document, status = cli_json(cli, tmp_path / "cli", tmp_path)

    result = vorn.run(tmp_path / "mine")
    assert (result.status, result.exit_status, status) == ("completed", 0, 0)
    assert_matches_export(result, document)
    assert result.report_text == (tmp_path / "cli" / "VORN.OUT").read_text(encoding="latin-1")
    assert result.log_text == (tmp_path / "cli" / "VORN.DBG").read_text(encoding="latin-1")
    # In memory: the run's directory holds its input alone.
    assert [p.name for p in (tmp_path / "mine").iterdir()] == ["VORN.IN"]
    # The directory, its VORN.IN and the text give one run; a Result pickles whole.
    assert_same_result(vorn.run(str(tmp_path / "mine" / "VORN.IN")), result)
    assert_same_result(vorn.run(text=(example / "VORN.IN").read_bytes()), result)
    assert_same_result(pickle.loads(pickle.dumps(result)), result)


@pytest.mark.parametrize("reference", REFERENCES, ids=lambda p: p.name)
def test_run_equals_the_reference_runs(reference):
    result = vorn.run(text=(reference / "VORN.IN").read_text(encoding="latin-1"))
    assert_matches_export(result, json.loads((reference / "results.json").read_text()))
    assert result.report_text == (reference / "VORN.OUT").read_text(encoding="latin-1")
    assert result.log_text == (reference / "VORN.DBG").read_text(encoding="latin-1")


def _landfill_lines():
    return (EXAMPLES[0] / "VORN.IN").read_text(encoding="latin-1").split("\n")


@pytest.mark.parametrize("status, edit", [
    (1, None),                                     # no VORN.IN
    (2, lambda lines: ["1021", "XX"] + lines[2:]),  # a unit type the run stops on
    (3, lambda lines: ["10x21"] + lines[1:]),       # a value that cannot be read
], ids=["input missing", "stopped", "fatal input error"])
def test_a_run_that_does_not_complete_says_so_as_the_program_does(status, edit, cli, tmp_path):
    run_dir = tmp_path / "run"
    run_dir.mkdir()
    if edit is not None:
        (run_dir / "VORN.IN").write_text("\n".join(edit(_landfill_lines())), encoding="latin-1")
    document, exit_status = cli_json(cli, run_dir, tmp_path)

    result = vorn.run(run_dir)
    assert (result.exit_status, exit_status) == (status, status)
    assert_matches_export(result, document)
    assert result.message and result.unit == {} and len(result.chemicals) == 0
    assert list(result.chemicals.columns) == [name for name, _ in vorn._vorn.RESULT_COLUMNS]
    if status == 3:
        assert result.message == ('vorn: fatal input error on unit 1 (VORN.IN), line 1: '
                                  '"10x21" is not an integer')


@pytest.mark.parametrize("call, error", [
    (lambda: vorn.run(), TypeError),
    (lambda: vorn.run(EXAMPLES[0], text="1"), TypeError),
    (lambda: vorn.run(42), TypeError),
    (lambda: vorn.run(""), ValueError),
    (lambda: vorn.run(REFERENCES[0] / "results.json"), ValueError),
    (lambda: vorn.run(text=3.5), TypeError),
    (lambda: vorn.run(text="\u20ac"), ValueError),
    (lambda: vorn.run(input="VORN.IN"), TypeError),
    (lambda: vorn.run_many(str(EXAMPLES[0])), TypeError),
    (lambda: vorn.run_many([EXAMPLES[0]], threads=0), ValueError),
    (lambda: vorn.run_many([EXAMPLES[0]], threads=1.5), TypeError),
])
def test_wrong_arguments_raise(call, error):
    with pytest.raises(error):
        call()


def test_run_many_gives_each_run_in_order(tmp_path):
    paths = [EXAMPLES[0], tmp_path / "missing", EXAMPLES[1] / "VORN.IN"] * 3
    results = vorn.run_many(paths, threads=2)
    assert [r.exit_status for r in results] == [0, 1, 0] * 3
    for result, path in zip(results, paths):
        assert_same_result(result, vorn.run(path))


_LANDFILL = vorn.read_input(EXAMPLES[0])


@pytest.mark.parametrize("call", [
    lambda: [vorn.run(EXAMPLES[0]) for _ in range(50)],
    lambda: vorn.run_many([EXAMPLES[0]] * 50, threads=1),
    lambda: [vorn.read_input(EXAMPLES[0]) for _ in range(50)],
    lambda: [_LANDFILL.to_text() for _ in range(50)],
    lambda: vorn.montecarlo(EXAMPLES[0].parent / "montecarlo" / "scenario.toml",
                            realizations=2000, threads=1),
], ids=["run", "run_many", "read_input", "to_text", "montecarlo"])
def test_the_engine_releases_the_gil(call):
    # With a switch interval this long the calling thread gives the GIL up only where it
    # blocks, so the counter advances while `inside` is set only if the engine releases it.
    state = {"inside": False, "during": 0, "stop": False}

    def count():
        while not state["stop"]:
            if state["inside"]:
                state["during"] += 1
            time.sleep(0)  # gives the GIL back, so the caller always gets it

    interval = sys.getswitchinterval()
    sys.setswitchinterval(1000.0)
    counter = threading.Thread(target=count)
    counter.start()
    try:
        state["inside"] = True
        call()
        state["inside"] = False
    finally:
        state["stop"] = True
        counter.join()
        sys.setswitchinterval(interval)
    assert state["during"] > 0
