"""The chemical library from Python: the library as a frame, a fill that equals the program's
byte for byte, the sources of a run's values, and workbooks imported as their CSV sheets are."""

import csv
import io
import pickle
import subprocess
import warnings

import pandas as pd
import pytest

import vorn
from conftest import ROOT

DATA = ROOT / "tests" / "data" / "chemicals"
TABLES = ROOT / "data" / "chemicals"


def stream_sheet():
    """The landfill stream sheet as the frame and unit dict a Python user would hold."""
    head, rows = (DATA / "landfill_stream.csv").read_text().split("\n\n", 1)
    unit = {key: value if key == "WU_WMUTYPE" else float(value)
            for key, value in csv.reader(io.StringIO(head))}
    return pd.read_csv(io.StringIO(rows), dtype={"CAS": str}), unit


def test_the_library_frame_holds_the_compiled_data_file_value_for_value():
    frame = vorn.chemicals()
    with open(TABLES / "library.csv", newline="") as f:
        rows = [r for r in csv.DictReader(f) if r["field"] != "SKIPPED"]
    assert len(frame) == len(rows)
    assert (frame.library == "compiled snapshot").all()
    for column in ("id", "variant", "field", "value", "unit", "source", "table", "date"):
        assert frame[column].tolist() == [r[column] for r in rows], column
    csfi = frame[(frame.id == "71-43-2") & (frame.field == "CSFI")].number.item()
    assert csfi == 7.8e-6 * 3500
    assert frame[frame.field == "CHEMNAME"].number.isna().all()


def test_a_fill_from_frames_writes_what_the_program_writes(cli, tmp_path):
    subprocess.run([str(cli), "fill", str(DATA / "landfill_stream.csv"), "--daf",
                    str(DATA / "landfill_daf.csv"), "-o", str(tmp_path)],
                   check=True, capture_output=True)
    frame, unit = stream_sheet()
    daf = pd.read_csv(DATA / "landfill_daf.csv", dtype={"CAS": str})
    with pytest.warns(UserWarning) as remarks:
        case = vorn.fill(frame, unit=unit, daf=daf)
    said = [str(w.message) for w in remarks]
    assert any("Lead and Compounds" in s and "no toxicity value" in s for s in said)
    assert any(s.startswith("6 Arsenic, Inorganic (7440-38-2): supply HENRY") for s in said)
    assert case.to_text().encode("latin-1") == (tmp_path / "VORN.IN").read_bytes()
    assert case.sources_text.encode() == (tmp_path / "sources.csv").read_bytes()

    # A run of the Input, of the files and of the files read back give the same sources.
    from_input = vorn.run(input=case)
    from_files = vorn.run(tmp_path)
    read_back = vorn.run(input=vorn.read_input(tmp_path))
    assert len(from_input.sources) == len(case.sources) == 310
    for other in (from_files, read_back, pickle.loads(pickle.dumps(from_files))):
        pd.testing.assert_frame_equal(other.sources, from_input.sources)
    assert (from_input.sources.value == case.sources.value).all()
    assert (from_input.sources.filled_value == from_input.sources.value).all()
    sources = from_input.sources
    user = sources[(sources.origin == "user") & ~sources.field.isin(["TCLPCONC", "TCLPFLAG",
                                                                      "TOTC", "TOTFLAG"])]
    assert (user.field == "BCF").sum() == 10
    assert user.note.str.startswith("the landfill example's site values").all()


def test_a_value_edited_after_the_fill_loses_its_source():
    frame, unit = stream_sheet()
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        case = vorn.fill(frame, unit=unit)
    edited = vorn.Input(case.unit, case.chemicals, case.daf, sources=case.sources_text)
    edited.chemicals.loc[edited.chemicals.CHEMCAS == "91-20-3", "MW"] = 130.0
    sources = vorn.run(input=edited).sources
    changed = sources[sources.origin == "changed after fill; source unknown"]
    assert changed[["CHEMCAS", "field", "value", "filled_value"]].values.tolist() == [
        ["91-20-3", "MW", "130", "128.18"]]
    assert vorn.run(input=vorn.Input(case.unit, case.chemicals, case.daf)).sources.empty


def test_a_sources_file_that_cannot_be_used_warns_and_leaves_none(tmp_path):
    (tmp_path / "VORN.IN").write_bytes((ROOT / "examples" / "landfill" / "VORN.IN").read_bytes())
    (tmp_path / "sources.csv").write_text("index,CAS\n1,71-43-2\n")
    with pytest.warns(UserWarning, match="sources.csv:1: not a sources file"):
        result = vorn.run(tmp_path)
    assert result.status == "completed" and result.sources.empty
    assert list(result.sources.columns) == [name for name, _ in vorn._vorn.SOURCE_COLUMNS]


def test_fill_problems_name_the_frame_rows_and_unit_keys():
    frame, unit = stream_sheet()
    frame.index = [f"c{k}" for k in range(len(frame))]
    # The sheet's problems: a unit the run would stop on, a wrong check digit.
    bad_sheet, bad_unit = frame.copy(), dict(unit, WU_VOLUNIT=7)
    bad_sheet.loc["c1", "CAS"] = "79-01-7"
    with pytest.raises(ValueError) as e:
        vorn.fill(bad_sheet, unit=bad_unit)
    lines = str(e.value).splitlines()
    assert any(line.startswith("unit['WU_VOLUNIT']: ") for line in lines), lines
    assert any(line.startswith("frame row 'c1': ") and "79-01-7" in line for line in lines), lines
    # The lookup's: cadmium without its variant.
    frame.loc["c6", "CAS"] = "7440-43-9"
    with pytest.raises(ValueError) as e:
        vorn.fill(frame, unit=unit)
    assert str(e.value).startswith("frame row 'c6': "), str(e.value)
    assert "water" in str(e.value)


def test_a_workbook_imports_as_its_sheets_saved_as_csv(tmp_path):
    openpyxl = pytest.importorskip("openpyxl")
    table = TABLES / "toxicity_characteristic.csv"
    book = openpyxl.Workbook()
    book.active.title = "Notes"
    book.active.append(["Levels of 40 CFR 261.24, typed in for the test"])
    sheet = book.create_sheet("Levels")
    with open(table, newline="") as f:
        for row in csv.reader(f):
            cells = []
            for cell in row:
                try:
                    cells.append(float(cell))
                except ValueError:
                    cells.append(cell or None)
            sheet.append(cells)
    book.save(tmp_path / "levels.xlsx")

    # The values the CSV gives (a number's text is the workbook's: "5" for "5.0"), and the
    # same changes against the snapshot.
    from_csv = vorn.chemicals.import_table(table, output=tmp_path / "a.csv", date="2024-11-01")
    from_book = vorn.chemicals.import_table(tmp_path / "levels.xlsx", output=tmp_path / "b.csv",
                                            date="2024-11-01")
    keys = ["change", "id", "variant", "field", "before", "unit"]
    pd.testing.assert_frame_equal(from_book[keys], from_csv[keys])
    assert len(from_book) > 0

    def values(name):
        frame = vorn.chemicals(libraries=[tmp_path / name])
        return frame[frame.library == str(tmp_path / name)].drop(columns=["library", "value"])

    assert len(values("a.csv")) == 2 * 39  # name and level; total cresol has no CAS number
    pd.testing.assert_frame_equal(values("a.csv"), values("b.csv"))

    sheet["D2"] = 4.0  # arsenic's level
    book.save(tmp_path / "levels.xlsx")
    vorn.chemicals.import_table(tmp_path / "levels.xlsx", output=tmp_path / "c.csv",
                                date="2024-11-01", name="TC levels, typed in")
    before, after = values("b.csv"), values("c.csv")
    assert (after.table == "TC levels, typed in").all()
    differs = before.number.ne(after.number) & ~(before.number.isna() & after.number.isna())
    assert after[differs][["id", "field", "number"]].values.tolist() == [["7440-38-2", "TOX_C", 4.0]]
    del book["Levels"]
    book.save(tmp_path / "notes.xlsx")
    with pytest.raises(ValueError, match="no sheet holds a table of a known layout"):
        vorn.chemicals.import_table(tmp_path / "notes.xlsx", output=tmp_path / "d.csv",
                                    date="2024-11-01")
