"""A VORN.IN as data: the unit's parameters, the chemicals and the DAF rows."""

from __future__ import annotations

import difflib
import io
from typing import Any, Dict, List, Mapping, Optional, Sequence, Tuple

import numpy as np
import pandas as pd

from vorn import _vorn
from vorn._arguments import PathArgument, path_bytes, sources_beside, sources_bytes

_DTYPES = {"real": "float64", "integer": "int64", "text": "object"}


def _names(fields: Sequence[Tuple[str, str]]) -> List[str]:
    return [name for name, _ in fields]


# The names of VORN.IN's heading lines (and of the unit's parameters without their WU_) that
# differ from the record's field names: each is taken for its field.
_HEADING_NAMES = {"ChemicalName": "CHEMNAME", "CAS": "CHEMCAS", "TCLP": "TCLPCONC",
                  "RFCI": "ORDI", "TOXC": "TOX_C", "CARC": "CARCTYPE"}


def _aliases(fields: Sequence[Tuple[str, str]]) -> Dict[str, str]:
    """Every other name a field is known by (heading names, unit parameters without WU_)."""
    expected = _names(fields)
    aliases = {alias: name for alias, name in _HEADING_NAMES.items() if name in expected}
    aliases.update({name[3:]: name for name in expected if name.startswith("WU_")})
    return aliases


def _field_names(what: str, kind: str, given: Sequence[Any],
                 fields: Sequence[Tuple[str, str]]) -> List[str]:
    """The field each given name stands for, in the order given. ValueError naming every
    missing, unknown or repeated name, with the nearest known names of an unknown one."""
    expected = _names(fields)
    aliases = _aliases(fields)
    known = expected + list(aliases)
    meant = [aliases.get(name, name) if isinstance(name, str) else name for name in given]
    problems = [f"no {kind} {name}" for name in expected if name not in meant]
    for name, field in zip(given, meant):
        if field in expected:
            continue
        near = [n for n in known if str(name).upper() == n.upper()]
        near = near or difflib.get_close_matches(str(name), known, n=1, cutoff=0.6)
        hint = f" (did you mean {aliases.get(near[0], near[0])}?)" if near else ""
        problems.append(f"unknown {kind} {name!r}{hint}")
    for field in dict.fromkeys(meant):
        names = [name for name, f in zip(given, meant) if f == field]
        if len(names) > 1:
            problems.append(f"{kind} {field!r} given twice"
                            + (f" (as {' and '.join(map(repr, names))})"
                               if len(set(names)) > 1 else ""))
    if problems:
        raise ValueError(f"{what}: " + "; ".join(problems))
    return meant


def _is_nan(value: Any) -> bool:
    return value is pd.NA or (isinstance(value, (float, np.floating)) and bool(np.isnan(value)))


def _refuse_nan(what: str, owner: str, frame: pd.DataFrame) -> None:
    """ValueError naming the first NaN of the frame, as to_text() names a cell."""
    for name in frame.columns:
        for row, value in enumerate(frame[name].tolist()):
            if _is_nan(value):
                raise ValueError(f"{what}: {name} of {owner} {row + 1} is NaN: {_NO_NAN}")


_NO_NAN = "VORN.IN holds numbers only (a property that is not known is -1)"


def _frame(what: str, owner: str, frame: object,
           fields: Sequence[Tuple[str, str]]) -> pd.DataFrame:
    if not isinstance(frame, pd.DataFrame):
        raise TypeError(f"{what}: a pandas DataFrame, not {type(frame).__name__}")
    named = frame.set_axis(_field_names(what, "column", list(frame.columns), fields), axis=1)
    named = named[_names(fields)].reset_index(drop=True)
    _refuse_nan(what, owner, named)
    return named


def _plain(value: Any) -> Any:
    """A numpy scalar as the Python value it holds."""
    return value.item() if isinstance(value, np.generic) else value


def _empty_frame(fields: Sequence[Tuple[str, str]]) -> pd.DataFrame:
    return pd.DataFrame({name: pd.Series([], dtype=_DTYPES[kind]) for name, kind in fields})


def _columns(frame: pd.DataFrame) -> Dict[str, List[Any]]:
    return {name: frame[name].tolist() for name in frame.columns}


class Input:
    """A VORN.IN as data, with values as written in the file.

    Args:
        unit: the eight site parameters, keyed ``WU_SITEKEY``, ``WU_WMUTYPE``,
            ``WU_RISKFACT``, ``WU_HQFACT``, ``WU_WASTEVOL``, ``WU_VOLUNIT``, ``WU_ACTLIFE``,
            ``WU_SIFLOW``, with or without their ``WU_``. The unit type may be lower-case
            (``"lf"``), as VORN.IN's may.
        chemicals: one row per chemical with a column per field of the chemical record
            (``CHEMNAME``, ``CHEMCAS``, ``TCLPCONC``, ``TCLPFLAG``, ``TOTC``, ``TOTFLAG`` and the
            26 properties, ``MCL`` .. ``LOGKOW``), as written: the inhalation reference dose
            ``ORDI`` not converted, nothing floored or replaced. The names of VORN.IN's
            heading lines stand for their fields: ``ChemicalName`` (``CHEMNAME``), ``CAS``
            (``CHEMCAS``), ``TCLP`` (``TCLPCONC``), ``RFCI`` (``ORDI``), ``TOXC`` (``TOX_C``),
            ``CARC`` (``CARCTYPE``).
        daf: the DAF rows, columns ``CHEMCAS`` (or ``CAS``), ``LFCONC``, ``LFCAR``, ``LFNON``,
            ``SICONC``, ``SICAR``, ``SINON``; None for none.
        sources: the contents of the sources.csv of a fill (str or bytes), which a run of the
            Input then reads as a run reads the file beside its VORN.IN; None for none.

    A missing, misnamed or repeated key or column is a ValueError naming it (and the nearest
    names of one it does not know), and so is a NaN, naming its cell: VORN.IN has no NaN.
    Numbers may be numpy scalars. The Input keeps copies under the field names, in the field
    order of VORN.IN; the other values are checked when the text is written.
    """

    __slots__ = ("_unit", "_chemicals", "_daf", "_sources")

    def __init__(self, unit: Mapping[str, Any], chemicals: pd.DataFrame,
                 daf: Optional[pd.DataFrame] = None,
                 sources: "str | bytes | None" = None) -> None:
        if not isinstance(unit, Mapping):
            raise TypeError(f"unit: a mapping, not {type(unit).__name__}")
        given = list(unit)
        named = dict(zip(_field_names("unit", "parameter", given, _vorn.UNIT_FIELDS),
                         (_plain(unit[key]) for key in given)))
        for name, value in named.items():
            if _is_nan(value):
                raise ValueError(f"unit: {name} is NaN: {_NO_NAN}")
        # The program reads the unit type in any case and gives it back in capitals.
        if isinstance(named.get("WU_WMUTYPE"), str):
            named["WU_WMUTYPE"] = named["WU_WMUTYPE"].upper()
        self._unit = {name: named[name] for name in _names(_vorn.UNIT_FIELDS)}
        self._chemicals = _frame("chemicals", "chemical", chemicals,
                                 _vorn.CHEMICAL_FIELDS).copy()
        self._daf = (_empty_frame(_vorn.DAF_FIELDS) if daf is None
                     else _frame("daf", "DAF row", daf, _vorn.DAF_FIELDS).copy())
        self._sources = None if sources is None else sources_bytes(sources)

    @property
    def unit(self) -> Dict[str, Any]:
        """The site parameters (the Input's own dict)."""
        return self._unit

    @property
    def chemicals(self) -> pd.DataFrame:
        """The chemicals' properties and concentrations (the Input's own frame)."""
        return self._chemicals

    @property
    def daf(self) -> pd.DataFrame:
        """The DAF rows (the Input's own frame)."""
        return self._daf

    @property
    def sources_text(self) -> Optional[str]:
        """The contents of its sources.csv, or None."""
        return None if self._sources is None else self._sources.decode("utf-8", "replace")

    @property
    def sources(self) -> pd.DataFrame:
        """Its sources.csv as a frame of texts (``index`` an integer), one row per value;
        without rows when it has none. ValueError when the text is not CSV."""
        if self._sources is None:
            return pd.DataFrame({name: pd.Series([], dtype="object")
                                 for name in _vorn.SOURCES_HEADER.split(",")})
        try:
            frame = pd.read_csv(io.BytesIO(self._sources), dtype=str, keep_default_na=False,
                                encoding="utf-8", encoding_errors="replace")
        except (pd.errors.ParserError, pd.errors.EmptyDataError) as e:
            raise ValueError(f"sources: not a sources.csv: {e}") from None
        if "index" in frame.columns:
            frame["index"] = pd.to_numeric(frame["index"], errors="coerce")
        return frame

    def to_text(self) -> str:
        """The VORN.IN: numbers in the shortest form that reads back as the same double.

        Running the text gives the results of running the file the Input was read from.
        A value that VORN.IN cannot hold (a number that is not one or is NaN, a name with
        ``@``, a text longer than its field, a character outside Latin-1) is a ValueError
        naming its field and row.
        """
        return _vorn.input_text(self._unit, _columns(self._chemicals), _columns(self._daf))

    def __repr__(self) -> str:
        sourced = ", with sources" if self._sources is not None else ""
        return (f"<vorn.Input {self._unit['WU_WMUTYPE']}: {len(self._chemicals)} chemicals, "
                f"{len(self._daf)} DAF rows{sourced}>")


def read_input(path: PathArgument) -> Input:
    """The VORN.IN of a directory (or the file itself) as an :class:`Input`, values as written,
    with the sources.csv beside it when there is one.

    OSError when the file cannot be read; ValueError naming the file and the problem when it
    is not a VORN.IN a run can read.
    """
    raw = path_bytes(path)
    unit, chemicals, daf = _vorn.read_input(raw)
    return Input(unit, pd.DataFrame(chemicals), pd.DataFrame(daf), sources_beside(raw))
