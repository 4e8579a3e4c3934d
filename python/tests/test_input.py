"""vorn.read_input, vorn.Input and Input.to_text."""

import pandas as pd
import pytest
import vorn
from conftest import EXAMPLES, REFERENCES, assert_same_result, python_value

FIELDS = dict(vorn._vorn.CHEMICAL_FIELDS)


def _written(token, kind):
    return {"real": float, "integer": int, "text": str}[kind](token)


def _as_written(path):
    """The values of a VORN.IN of blank-separated items, as written (read here without vorn)."""
    lines = path.read_text(encoding="latin-1").splitlines()
    unit = {name: _written(lines[k], kind) for k, (name, kind) in enumerate(vorn._vorn.UNIT_FIELDS)}
    n = int(lines[8])
    chemicals = []
    for properties, concentrations in zip(lines[10:10 + n], lines[11 + n:11 + 2 * n]):
        name, rest = properties.split(" @ ")
        values = [name] + rest.split()[:1] + concentrations.split() + rest.split()[1:]
        chemicals.append({f: _written(v, FIELDS[f]) for f, v in zip(FIELDS, values)})
    daf = [line.split() for line in lines[12 + 2 * n:] if line.strip()]
    return unit, chemicals, daf


@pytest.mark.parametrize("example", EXAMPLES, ids=lambda p: p.name)
def test_read_input_gives_the_values_as_written(example):
    unit, chemicals, daf = _as_written(example / "VORN.IN")
    read = vorn.read_input(example)
    assert read.unit == unit
    assert [{f: python_value(v) for f, v in row.items()}
            for row in read.chemicals.to_dict("records")] == chemicals
    assert read.daf.values.tolist() == [[row[0]] + [float(v) for v in row[1:]] for row in daf]
    # ORDI as written is not the value the run used.
    assert (read.chemicals["ORDI"] != vorn.run(example).chemicals["ORDI"]).any()


@pytest.mark.parametrize("path", EXAMPLES + REFERENCES, ids=lambda p: p.parent.name + p.name)
def test_the_text_of_an_input_runs_as_its_file(path):
    read = vorn.read_input(path / "VORN.IN")
    text = read.to_text()
    expected = vorn.run(path)
    assert_same_result(vorn.run(text=text), expected)
    rebuilt = vorn.Input(unit=dict(read.unit), chemicals=read.chemicals.iloc[:, ::-1],
                         daf=read.daf)
    assert_same_result(vorn.run(input=rebuilt), expected)
    assert rebuilt.to_text() == text


def test_input_names_the_missing_or_misnamed_column_and_the_bad_value():
    read = vorn.read_input(EXAMPLES[0])
    with pytest.raises(ValueError, match=r"^chemicals: no column TOTC; unknown column 'TOTCC' "
                                         r"\(did you mean TOTC\?\)$"):
        vorn.Input(read.unit, read.chemicals.rename(columns={"TOTC": "TOTCC"}), read.daf)
    with pytest.raises(ValueError, match=r"^unit: no parameter WU_SIFLOW$"):
        vorn.Input({k: v for k, v in read.unit.items() if k != "WU_SIFLOW"}, read.chemicals)
    with pytest.raises(ValueError, match=r"^daf: no column SINON$"):
        vorn.Input(read.unit, read.chemicals, read.daf.drop(columns="SINON"))
    bad = read.chemicals.copy()
    bad["MCL"] = bad["MCL"].astype(object)
    bad.loc[1, "MCL"] = "0.5 mg/L"
    with pytest.raises(ValueError, match=r"^chemicals: MCL of chemical 2: '0.5 mg/L' is not a"):
        vorn.Input(read.unit, bad, read.daf).to_text()
    with pytest.raises(TypeError):
        vorn.Input(read.unit, read.chemicals.to_dict(), read.daf)


def test_read_input_names_the_file_and_the_problem(tmp_path):
    with pytest.raises(OSError, match="VORN.IN: No such file"):
        vorn.read_input(tmp_path)
    (tmp_path / "VORN.IN").write_text("1021\nLF\n1e-5\nmany\n")
    with pytest.raises(ValueError, match=r'VORN.IN: .*line 4: "many" is not a'):
        vorn.read_input(tmp_path)
