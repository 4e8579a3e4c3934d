"""The chemical library: its values as a frame, a stream's chemicals filled from it, and newer
tables imported into a library file."""

from __future__ import annotations

import csv
import datetime
import io
import math
import numbers
import os
import re
import warnings
from typing import Any, Dict, Iterable, List, Mapping, Optional, Sequence, Tuple, Union

import pandas as pd

from vorn import _vorn
from vorn._input import Input

TableArgument = Union[str, "os.PathLike[str]"]

_UNIT_KEYS = ("WU_SITEKEY", "WU_WMUTYPE", "WU_RISKFACT", "WU_HQFACT", "WU_WASTEVOL",
              "WU_VOLUNIT", "WU_ACTLIFE", "WU_SIFLOW")
# The names the engine gives the sheets it is handed, in its messages.
_SHEET = "stream sheet"
_DAF = "daf"


def _library_files(libraries: Iterable[Any]) -> List[str]:
    if isinstance(libraries, (str, bytes, os.PathLike)):
        raise TypeError("libraries: a list of library files, not one file")
    files = []
    for k, library in enumerate(libraries):
        if not isinstance(library, (str, os.PathLike)):
            raise TypeError(f"libraries[{k}]: a str or os.PathLike, not {type(library).__name__}")
        files.append(os.fspath(library))
    return files


# Whole numbers below this are written without a point, so that a frame's float column can
# give an integer field (ORGANIC, WU_VOLUNIT) its value; every one reads back as the same double.
_WHOLE = 2.0 ** 53


def _cell(value: Any) -> str:
    """A value as the sheet's cell: numbers in the shortest form that reads back as the same
    double (whole ones without a point), an empty cell for None and NaN."""
    if value is None:
        return ""
    if isinstance(value, bool):
        raise ValueError(f"{value!r} is not a number or a text")
    if isinstance(value, numbers.Integral):
        return str(int(value))
    if isinstance(value, numbers.Real):
        number = float(value)
        if math.isnan(number):
            return ""
        negative_zero = number == 0 and math.copysign(1, number) < 0
        if number.is_integer() and abs(number) < _WHOLE and not negative_zero:
            return str(int(number))
        return repr(number)
    return str(value)


def _csv(rows: Iterable[Sequence[str]]) -> str:
    out = io.StringIO()
    writer = csv.writer(out, lineterminator="\n")
    for row in rows:
        writer.writerow(row)
    return out.getvalue()


class _Places:
    """What the lines of a sheet made from the caller's data stand for: the lines before its
    rows (a unit key, the columns), then the rows of a frame."""

    def __init__(self, frame: str, heads: List[str], index: Sequence[Any]) -> None:
        self.frame, self.heads, self.index = frame, heads, list(index)

    def __call__(self, line: int) -> str:
        if 1 <= line <= len(self.heads):
            return self.heads[line - 1]
        row = line - len(self.heads) - 1
        if 0 <= row < len(self.index):
            return f"{self.frame} row {self.index[row]!r}"
        return self.frame


def _placed(message: str, places: Dict[str, _Places]) -> str:
    """The engine's "stream sheet:LINE: reason" lines with each line named by what the caller
    gave: a unit key, the frame's columns or one of its rows."""
    def place(match: "re.Match[str]") -> str:
        return places[match.group(1)](int(match.group(2))) + ": "
    return re.sub(r"^(stream sheet|daf):(\d+): ", place, message, flags=re.M)


class _Chemicals:
    """The chemical library compiled into vorn, with the values of newer tables.

    ``vorn.chemicals(libraries=())`` gives the library as a frame, one row per value: the
    library (a file given, then the "compiled snapshot"), ``id`` (CAS number or registry id),
    ``variant``, ``field``, ``value`` as the run takes it, ``number`` (the value as a float;
    NaN for a text), ``unit``, ``source`` (the table's key), ``table``, ``date``,
    ``derivation``, ``note``, and ``other``/``other_table``, a later table's value for the same
    field. Libraries are looked up in the order given, the snapshot last.
    ``vorn.chemicals.import_table(...)`` turns newer tables into a library file.
    """

    def __call__(self, libraries: Iterable[TableArgument] = ()) -> pd.DataFrame:
        return pd.DataFrame(_vorn.library_columns(_library_files(libraries)))

    def import_table(self, *tables: TableArgument, output: TableArgument, date: str,
                     name: Optional[str] = None) -> pd.DataFrame:
        """Newer tables of the known layouts into the library file ``output``, as
        ``vorn chem import`` makes it; the values that differ from the compiled snapshot, one
        row each (``change`` added, changed or removed, ``id``, ``variant``, ``field``,
        ``before``, ``after``, ``unit``).

        Each table is a CSV file, or a workbook (.xlsx, .xlsm, read with openpyxl) whose
        sheets of a known layout are taken. ``date`` (YYYY-MM-DD) is the tables' date, which
        their files do not carry; ``name`` names their values' table (default: each table's
        own). ValueError naming the table, record and column of a cell that is not a number,
        a blank or a token the layout lists, or a table of no known layout.
        """
        if not tables:
            raise TypeError("import_table() needs at least one table")
        if not isinstance(date, str) or not re.fullmatch(r"\d{4}-\d{2}-\d{2}", date):
            raise ValueError(f"date: a date as YYYY-MM-DD, not {date!r}")
        try:
            datetime.date.fromisoformat(date)
        except ValueError:
            raise ValueError(f"date: {date} is no date of the calendar") from None
        if name is not None and not isinstance(name, str):
            raise TypeError(f"name: a str or None, not {type(name).__name__}")
        texts: List[Tuple[str, str]] = []
        for table in tables:
            texts += _table_texts(table)
        changes, _ = _vorn.import_tables(texts, os.fspath(output), date, name or "")
        return pd.DataFrame(changes)


chemicals = _Chemicals()


def _workbook_sheets(path: str) -> List[Tuple[str, str]]:
    """Each sheet of a workbook as CSV text, named "BOOK[SHEET]"; the cells as the workbook
    holds them (numbers in the shortest form that reads back as the same double)."""
    try:
        import openpyxl  # Debian's python3-openpyxl
    except ImportError:
        raise ImportError("reading .xlsx needs openpyxl (Debian: python3-openpyxl)") from None
    book = openpyxl.load_workbook(path, read_only=True, data_only=True)
    try:
        sheets = []
        for sheet in book.worksheets:
            rows = ([_cell(v) if not isinstance(v, datetime.datetime) else v.date().isoformat()
                     for v in row] for row in sheet.iter_rows(values_only=True))
            sheets.append((f"{path}[{sheet.title}]", _csv(rows)))
        return sheets
    finally:
        book.close()


def _table_texts(table: TableArgument) -> List[Tuple[str, str]]:
    if not isinstance(table, (str, os.PathLike)):
        raise TypeError(f"table: a str or os.PathLike, not {type(table).__name__}")
    path = os.fspath(table)
    if os.path.splitext(path)[1].lower() not in (".xlsx", ".xlsm"):
        with open(path, "rb") as f:
            return [(path, f.read().decode("utf-8", "replace"))]
    sheets = _workbook_sheets(path)
    known = [(name, text) for name, text in sheets if _vorn.table_layout(text) is not None]
    if not known:
        raise ValueError(f"{path}: no sheet holds a table of a known layout (sheets: "
                         + ", ".join(name for name, _ in sheets) + ")")
    return known


def fill(frame: pd.DataFrame, unit: Mapping[str, Any], daf: Optional[pd.DataFrame] = None,
         libraries: Iterable[TableArgument] = ()) -> Input:
    """A stream's chemicals filled from the chemical library, as ``vorn fill`` fills a stream
    sheet: an :class:`Input` whose sources are the fill's sources.csv.

    Args:
        frame: one row per chemical with the columns ``CAS`` (``CAS:variant`` picks a
            variant), ``TCLPCONC``, ``TCLPFLAG``, ``TOTC``, ``TOTFLAG``, then any field of the
            chemical record under its VORN.IN name and unit (``RFCI`` in mg/m3, ``MCL`` in
            mg/L) to override the library (an empty cell, None or NaN, overrides nothing), and
            ``note``, why the row overrides what it does.
        unit: the eight unit parameters (``WU_SITEKEY`` .. ``WU_SIFLOW``) and optionally
            ``f_oc``, the fraction of organic carbon.
        daf: the site's DAF rows: ``CAS``, ``LFCONC``, ``LFCAR``, ``LFNON``, ``SICONC``,
            ``SICAR``, ``SINON``; None for none (every chemical keeps the run's own DAF rule).
        libraries: library files (``vorn chem import``'s) looked up first, in order, before
            the snapshot compiled in.

    ValueError listing every problem, each naming its unit key or frame row: an unknown CAS
    number, a wrong check digit, an ambiguous variant, a value of the wrong kind. The fill's
    remarks (chemicals without any toxicity value, mutagens, the values still to supply or
    confirm with the pathways they decide) come as warnings.
    """
    if not isinstance(frame, pd.DataFrame):
        raise TypeError(f"frame: a pandas DataFrame, not {type(frame).__name__}")
    if not isinstance(unit, Mapping):
        raise TypeError(f"unit: a mapping, not {type(unit).__name__}")
    unit_keys = [key for key in _UNIT_KEYS if key in unit]
    unit_keys += [key for key in unit if key not in _UNIT_KEYS]
    rows = [[str(key), _cell(unit[key])] for key in unit_keys] + [[]]
    rows.append([str(c) for c in frame.columns])
    rows += [[_cell(v) for v in row] for row in frame.itertuples(index=False, name=None)]
    sheet = _csv(rows)
    heads = [f"unit[{key!r}]" for key in unit_keys] + ["unit", "frame columns"]
    places = {_SHEET: _Places("frame", heads, frame.index)}
    daf_text = None
    if daf is not None:
        if not isinstance(daf, pd.DataFrame):
            raise TypeError(f"daf: a pandas DataFrame or None, not {type(daf).__name__}")
        daf_rows = [[str(c) for c in daf.columns]]
        daf_rows += [[_cell(v) for v in row] for row in daf.itertuples(index=False, name=None)]
        daf_text = _csv(daf_rows)
        places[_DAF] = _Places("daf", ["daf columns"], daf.index)
    try:
        unit_values, chemical_columns, daf_columns, sources, notices = _vorn.fill(
            sheet, daf_text, _library_files(libraries))
    except ValueError as e:
        raise ValueError(_placed(str(e), places)) from None
    for notice in notices:
        warnings.warn(notice, stacklevel=2)
    return Input(unit_values, pd.DataFrame(chemical_columns), pd.DataFrame(daf_columns), sources)
