"""vorn.montecarlo gives the program's documents; shards merge to the whole, pickle as parts."""

import pickle
import sys
import subprocess
import tomllib

import pytest
import vorn
from conftest import ROOT

SCENARIO = ROOT / "examples" / "montecarlo" / "scenario.toml"


def test_a_run_gives_the_programs_documents(cli, tmp_path):
    out_json, out_csv = tmp_path / "mc.json", tmp_path / "mc.csv"
    done = subprocess.run([str(cli), "mc", str(SCENARIO), "--realizations", "300", "--json",
                           str(out_json), "--csv", str(out_csv)], capture_output=True)
    assert done.returncode == 0, done.stderr
    summary = vorn.montecarlo(SCENARIO, realizations=300, threads=2)
    assert summary.to_json() == out_json.read_text(encoding="utf-8")
    frame = summary.to_frame()
    assert list(frame.columns) == ["chemical", "quantity", "statistic", "value", "flag", "text"]
    assert len(frame) == len(out_csv.read_text(encoding="utf-8").splitlines()) - 1


def test_verdicts_follow_the_interval_and_match_the_programs_table(cli):
    # 100 realizations leave some chemical's interval around its 10 %.
    summary = vorn.montecarlo(SCENARIO, realizations=100, threads=1)
    verdicts = summary.chemicals
    for row in verdicts.itertuples():
        assert row.P_EXCEEDED_lower <= row.P_EXCEEDED <= row.P_EXCEEDED_upper
        assert row.exceeded == (row.P_EXCEEDED > 0.1)
        expected = ("exceeded" if row.P_EXCEEDED_lower > 0.1 else
                    "not exceeded" if row.P_EXCEEDED_upper <= 0.1 else "undetermined")
        assert row.verdict == expected, row
    assert "undetermined" in set(verdicts.verdict) and "exceeded" in set(verdicts.verdict)
    frame = summary.to_frame()
    shown = frame[(frame.quantity == "EXCEEDED") & (frame.statistic == "verdict")]
    assert list(shown.text) == list(verdicts.verdict)
    table = subprocess.run([str(cli), "mc", str(SCENARIO), "--realizations", "100"],
                           capture_output=True, text=True, check=True).stdout.splitlines()[2:]
    for line, row in zip(table, verdicts.itertuples(), strict=True):
        assert line.startswith(f"{row.CHEMNAME} ({row.CHEMCAS})")
        assert line.split("  ")[-1].startswith(row.verdict)


def test_shards_merge_to_the_whole_and_pickle_as_parts():
    whole = vorn.montecarlo(SCENARIO, realizations=300)
    shards = [vorn.montecarlo(SCENARIO, realizations=300, shard=(i, 3)) for i in (1, 2, 3)]
    with pytest.raises(ValueError, match="1 of its 3 shards"):
        shards[0].to_json()
    with pytest.raises(ValueError, match="given twice"):
        shards[0].merge(shards[0])
    restored = pickle.loads(pickle.dumps(shards[2]))
    assert restored == shards[2] and restored.part.startswith('{"format":"vorn-mc-part"')
    assert shards[1].merge(restored, shards[0]).to_json() == whole.to_json()


def test_a_scenario_as_text_or_dict_with_the_input_text_is_the_same_run():
    text = SCENARIO.read_text(encoding="utf-8")
    input_text = (SCENARIO.parent / tomllib.loads(text)["input"]).read_bytes()
    expected = vorn.montecarlo(SCENARIO, realizations=50).to_json()
    as_dict = tomllib.loads(text)
    del as_dict["input"]
    assert vorn.montecarlo(text, text=input_text, realizations=50).to_json() == expected
    assert vorn.montecarlo(as_dict, text=input_text, realizations=50).to_json() == expected
    with pytest.raises(ValueError, match="NOSUCH"):
        vorn.montecarlo({"vary": [{"field": "NOSUCH", "dist": {"type": "constant", "value": 1}}]},
                        text=input_text)


def test_a_run_with_uncertainty_inputs_gives_the_programs_documents(cli, tmp_path):
    nested = SCENARIO.parent / "nested.toml"
    out_json = tmp_path / "nested.json"
    done = subprocess.run([str(cli), "mc", str(nested), "--outer", "7", "--inner", "30",
                           "--json", str(out_json)], capture_output=True)
    assert done.returncode == 0, done.stderr
    whole = vorn.montecarlo(nested, outer=7, inner=30)
    assert whole.to_json() == out_json.read_text(encoding="utf-8")
    shards = [vorn.montecarlo(nested, outer=7, inner=30, shard=(i, 3)) for i in (3, 1, 2)]
    restored = pickle.loads(pickle.dumps(shards[0]))
    assert restored.part.startswith('{"format":"vorn-nested-part"')
    assert restored.merge(*shards[1:]).to_json() == whole.to_json()
    with pytest.raises(ValueError, match="nested run, this one of a one-dimensional"):
        vorn.montecarlo(SCENARIO, realizations=20).merge(shards[1])


def test_the_package_needs_no_toml_module_of_its_own():
    # Python 3.9 and 3.10 have no tomllib: the package must import and find a scenario's
    # input through the engine's reader without it.
    code = ("import sys; sys.modules['tomllib'] = None\n"
            "import vorn\n"
            f"s = vorn.montecarlo({str(SCENARIO)!r}, realizations=20, threads=1)\n"
            "assert s.to_json().startswith('{')\n")
    done = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True)
    assert done.returncode == 0, done.stderr


def test_a_dict_scenario_is_named_by_its_own_paths_with_the_nearest_words():
    input_text = (ROOT / "examples" / "landfill" / "VORN.IN").read_bytes()
    dist = {"type": "uniform", "min": 1, "max": 2}
    with pytest.raises(ValueError) as problem:
        vorn.montecarlo({"vary": [{"chemical": 1, "field": "TOTC", "dist": dist},
                                  {"chemical": 1, "field": "TCLP", "dist": dist}]},
                        text=input_text)
    assert str(problem.value).startswith(
        'scenario: vary[1].field: unknown field "TCLP": did you mean TCLPCONC? (the fields')
    with pytest.raises(ValueError, match=r'^scenario: vary\[0\]\.chemical: no chemical has the '
                                         r'CAS number or name "benzene": did you mean "Benzene"\?'):
        vorn.montecarlo({"vary": [{"chemical": "benzene", "field": "TOTC", "dist": dist}]},
                        text=input_text)
    # A scenario written as TOML keeps its lines.
    with pytest.raises(ValueError, match=r"^scenario:3:1: vary\[1\]\.field: unknown field"):
        vorn.montecarlo('[[vary]]\nchemical = 1\nfield = "TCLP"\n'
                        'dist = { type = "constant", value = 1 }\n', text=input_text)


@pytest.mark.parametrize("name", sorted(p.name for p in (ROOT / "tests/mc/tampered").glob("*.part")))
def test_a_tampered_part_is_a_value_error_with_the_programs_message(cli, tmp_path, name):
    part = ROOT / "tests" / "mc" / "tampered" / name
    done = subprocess.run([str(cli), "mc-merge", str(part), "--json", str(tmp_path / "m.json")],
                          capture_output=True, text=True)
    assert done.returncode == 3
    # The program's line is "vorn mc-merge: <file>: <why>"; Python names the part "part".
    why = done.stderr.splitlines()[0].split(f"{part}: ", 1)[1]
    with pytest.raises(ValueError) as refused:
        vorn.Summary(part.read_text(encoding="utf-8"))
    assert str(refused.value).endswith(why)
