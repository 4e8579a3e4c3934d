"""Input under VORN.IN's heading names, NaN refused cell by cell, the stream's verdict, and the
probabilistic documents as numeric frames."""

import json
import pickle
import math
import subprocess

import numpy as np
import pandas as pd
import pytest
import vorn
from conftest import EXAMPLES, ROOT, assert_same_result, cli_json

SCENARIO = ROOT / "examples" / "montecarlo" / "scenario.toml"
HEADINGS = {"CHEMNAME": "ChemicalName", "CHEMCAS": "CAS", "TCLPCONC": "TCLP", "ORDI": "RFCI",
            "TOX_C": "TOXC", "CARCTYPE": "CARC"}


def _numpy_unit(unit):
    """The unit's parameters as numpy scalars, every other one without its WU_, the type in
    lower case."""
    plain = {}
    for k, (name, value) in enumerate(unit.items()):
        if name == "WU_WMUTYPE":
            value = np.str_(value.lower())
        elif isinstance(value, float):
            value = np.float64(value)
        else:
            value = np.int32(value)
        plain[name[3:] if k % 2 else name] = value
    return plain


@pytest.mark.parametrize("example", EXAMPLES, ids=lambda p: p.name)
def test_heading_names_numpy_scalars_and_a_lower_case_type_give_the_same_run(example):
    read = vorn.read_input(example)
    chemicals = read.chemicals.rename(columns=HEADINGS)
    assert set(HEADINGS.values()) <= set(chemicals.columns)
    daf = read.daf.rename(columns={"CHEMCAS": "CAS"})
    given = vorn.Input(_numpy_unit(read.unit), chemicals, daf)
    assert list(given.chemicals.columns) == list(read.chemicals.columns)
    assert list(given.unit) == list(read.unit)
    assert_same_result(vorn.run(text=given), vorn.run(example))
    assert_same_result(vorn.run(input=given), vorn.run(example))


def test_unknown_and_repeated_names_are_named_with_the_nearest_ones():
    read = vorn.read_input(EXAMPLES[0])
    with pytest.raises(ValueError) as error:
        vorn.Input(read.unit, read.chemicals.rename(columns={"TCLPCONC": "TCLPCON", "MCL": "mcl"}))
    assert str(error.value) == ("chemicals: no column TCLPCONC; no column MCL; "
                                "unknown column 'TCLPCON' (did you mean TCLPCONC?); "
                                "unknown column 'mcl' (did you mean MCL?)")
    twice = read.chemicals.assign(CAS=read.chemicals["CHEMCAS"])
    with pytest.raises(ValueError, match=r"^chemicals: column 'CHEMCAS' given twice "
                                         r"\(as 'CHEMCAS' and 'CAS'\)$"):
        vorn.Input(read.unit, twice)
    unit = dict(read.unit)
    unit["RISKFAC"] = unit.pop("WU_RISKFACT")
    with pytest.raises(ValueError, match=r"^unit: no parameter WU_RISKFACT; unknown parameter "
                                         r"'RISKFAC' \(did you mean WU_RISKFACT\?\)$"):
        vorn.Input(unit, read.chemicals)


def test_nan_is_refused_naming_its_cell_on_input_and_on_text():
    read = vorn.read_input(EXAMPLES[0])
    bad = read.chemicals.copy()
    bad.loc[2, "MCL"] = math.nan
    with pytest.raises(ValueError, match=r"^chemicals: MCL of chemical 3 is NaN: VORN.IN holds"):
        vorn.Input(read.unit, bad)
    with pytest.raises(ValueError, match=r"^unit: WU_HQFACT is NaN"):
        vorn.Input({**read.unit, "WU_HQFACT": np.float64("nan")}, read.chemicals)
    daf = pd.DataFrame({"CHEMCAS": ["71-43-2"], "LFCONC": [pd.NA], "LFCAR": [1.0], "LFNON": [1.0],
                        "SICONC": [1.0], "SICAR": [1.0], "SINON": [1.0]})
    with pytest.raises(ValueError, match=r"^daf: LFCONC of DAF row 1 is NaN"):
        vorn.Input(read.unit, read.chemicals, daf)

    # A NaN set after the Input was made is refused where the text is written.
    given = vorn.Input(read.unit, read.chemicals, read.daf)
    text = given.to_text()
    given.chemicals.loc[1, "TOTC"] = math.nan
    with pytest.raises(ValueError, match=r"^chemicals: TOTC of chemical 2 is NaN"):
        given.to_text()
    given.chemicals.loc[1, "TOTC"] = read.chemicals.loc[1, "TOTC"]
    given.chemicals["ORGANIC"] = given.chemicals["ORGANIC"].astype(float)
    given.chemicals.loc[0, "ORGANIC"] = math.nan
    with pytest.raises(ValueError, match=r"^chemicals: ORGANIC of chemical 1 is NaN"):
        given.to_text()
    given.chemicals.loc[0, "ORGANIC"] = read.chemicals.loc[0, "ORGANIC"]
    given.unit["WU_RISKFACT"] = math.nan
    with pytest.raises(ValueError, match=r"^unit: WU_RISKFACT is NaN"):
        given.to_text()
    given.unit["WU_RISKFACT"] = read.unit["WU_RISKFACT"]
    assert given.to_text() == text


def test_the_verdict_is_the_programs(cli, tmp_path):
    stopped = EXAMPLES[0].joinpath("VORN.IN").read_text(encoding="latin-1").replace(
        "\nLF\n", "\nXX\n", 1)
    runs = {"landfill": EXAMPLES[0].joinpath("VORN.IN").read_text(encoding="latin-1"),
            "impoundment": EXAMPLES[1].joinpath("VORN.IN").read_text(encoding="latin-1"),
            "stopped": stopped}
    seen = set()
    for name, text in runs.items():
        (tmp_path / name).mkdir()
        (tmp_path / name / "VORN.IN").write_text(text, encoding="latin-1")
        document, _ = cli_json(cli, tmp_path / name, tmp_path)
        result = vorn.run(text=text)
        assert (result.verdict, result.exceeding) == (document["verdict"],
                                                      document.get("exceeding")), name
        seen.add(result.verdict)
        # The plain words and the warnings are the program's, and survive pickling.
        for r in (result, pickle.loads(pickle.dumps(result))):
            assert r.explanation == document.get("explanation", ""), name
            assert r.warnings == document.get("warnings", []), name
        if result.status == "completed":
            flags = result.chemicals[["GW_EXCEEDED", "SF_EXCEEDED"]].any(axis=1)
            assert result.exceeding == int(flags.sum())
    assert {"exceeds limits", "not assessed"} <= seen
    assert vorn.run(text=runs["landfill"]).warnings and vorn.run(text=stopped).explanation


def _csv_of(cli, tmp_path, *arguments):
    out = tmp_path / "mc.csv"
    done = subprocess.run([str(cli), "mc", *map(str, arguments), "--csv", str(out)],
                          capture_output=True)
    assert done.returncode == 0, done.stderr
    return pd.read_csv(out, dtype=str, keep_default_na=False)


def test_summary_frames_are_numeric_with_flags_apart(cli, tmp_path):
    summary = vorn.montecarlo(SCENARIO, realizations=200, threads=2)
    frame = summary.to_frame()
    assert list(frame.columns) == ["chemical", "quantity", "statistic", "value", "flag", "text"]
    assert (frame["value"].dtype, frame["flag"].dtype) == (np.float64, pd.BooleanDtype())
    texts = _csv_of(cli, tmp_path, SCENARIO, "--realizations", 200)["value"]
    assert len(texts) == len(frame)
    flagged = texts.isin(["true", "false"])
    assert 0 < flagged.sum() < len(frame)
    assert frame["flag"][flagged].tolist() == (texts[flagged] == "true").tolist()
    assert frame["flag"][~flagged].isna().all() and frame["value"][flagged].isna().all()
    worded = frame["text"].notna()
    assert worded.any() and frame["value"][worded].isna().all()
    assert (frame["text"][worded] == texts[worded]).all()
    numeric = ~flagged & ~worded
    assert all(np.float64(float(t)).tobytes() == v.tobytes()
               for t, v in zip(texts[numeric], frame["value"][numeric].to_numpy()))

    document = json.loads(summary.to_json())
    wide = summary.chemicals
    assert wide["CHEMCAS"].tolist() == [c["CHEMCAS"] for c in document["chemicals"]]
    for row, c in zip(wide.to_dict("records"), document["chemicals"]):
        d = c["decision"]
        assert row["P_EXCEEDED"] == d["P_EXCEEDED"] and row["exceeded"] == d["exceeded"]
        assert (row["TCLPMAX_lower"], row["TCLPMAX"], row["TCLPMAX_upper"]) == (
            d["TCLPMAX"]["lower"], d["TCLPMAX"]["value"], d["TCLPMAX"]["upper"])
        assert row["verdict"] == d["verdict"]
        n, z2 = c["completed"], 1.959963984540054 ** 2
        assert row["P_EXCEEDED_lower"] <= row["P_EXCEEDED"] <= row["P_EXCEEDED_upper"]
        if row["P_EXCEEDED"] == 0:
            # The Wilson interval of no success in n trials: [0, z² / (n + z²)].
            assert row["P_EXCEEDED_lower"] == 0
            assert row["P_EXCEEDED_upper"] == pytest.approx(z2 / (n + z2), rel=1e-12)
    assert wide["verdict"].isin(["exceeded"]).any()


def test_the_chemicals_of_a_run_with_uncertainty_inputs_span_its_bands():
    nested = vorn.montecarlo(SCENARIO.parent / "nested.toml", outer=5, inner=20, threads=2)
    document = json.loads(nested.to_json())
    wide = nested.chemicals
    for row, c in zip(wide.to_dict("records"), document["chemicals"]):
        for name in ("P_EXCEEDED", "TCLPMAX", "SF_MAX"):
            band = c["decision"][name]
            assert (row[f"{name}_lower"], row[name], row[f"{name}_upper"]) == (
                band["5"], band["50"], band["95"]), name
        assert row["exceeded"] == c["decision"]["exceeded"]["50"]
