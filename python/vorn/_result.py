"""The outcome of one run."""

from __future__ import annotations

from typing import Any, Dict, List, Optional, Tuple

import pandas as pd

from vorn import _vorn
from vorn._arguments import PathArgument
from vorn._printing import page_date, write_pdf

# (status, exit_status, message, unit, chemical columns, report_text, log_text, VORN.IN bytes,
# sources.csv bytes, stream name): plain values, so a Result pickles without the engine.
State = Tuple[str, int, str, Dict[str, Any], Dict[str, Any], str, str, Optional[bytes],
              Optional[bytes], str]


class _PlainRecord:
    """A run's record rebuilt from its state, as the engine's RunRecord offers it. What the
    state does not hold (the sources, the page) comes from running its input again, which
    gives the same run."""

    __slots__ = ("_state", "_engine")

    def __init__(self, state: State) -> None:
        self._state = state
        self._engine: Optional[_vorn.RunRecord] = None

    status = property(lambda self: self._state[0])
    exit_status = property(lambda self: self._state[1])
    message = property(lambda self: self._state[2])
    report_text = property(lambda self: self._state[5])
    log_text = property(lambda self: self._state[6])

    def unit(self) -> Dict[str, Any]:
        return self._state[3]

    def chemical_columns(self) -> Dict[str, Any]:
        return self._state[4]

    def _again(self) -> _vorn.RunRecord:
        if self._engine is None:
            text, sources, name = self._state[7], self._state[8], self._state[9]
            self._engine = (_vorn.missing_input(self.message) if text is None
                            else _vorn.run_text(text, sources))
            self._engine.name = name
        return self._engine

    @property
    def sources_warning(self) -> str:
        return self._again().sources_warning

    @property
    def explanation(self) -> str:
        return self._again().explanation

    @property
    def warnings(self) -> List[str]:
        return list(self._again().warnings)

    def source_columns(self) -> Dict[str, Any]:
        return self._again().source_columns()

    def page(self, date: str) -> str:
        return self._again().page(date)

    def state(self) -> State:
        return self._state


class Result:
    """The outcome of one run, with every value it computed.

    A run that does not complete is a Result too: its ``status`` says why and ``message``
    holds what the run reported.

    Attributes:
        status: ``"completed"``, ``"input missing"``, ``"stopped"`` or ``"fatal input error"``,
            the words of the JSON export.
        exit_status: the program's exit status for the run: 0 completed, 1 input missing,
            2 stopped, 3 fatal input error.
        message: the message of a run that did not complete, its lines joined by line feeds;
            ``""`` after a completed run.
        unit: the waste unit's fields computed for its type, then ``DAF_SCALE``, under the
            JSON export's names; empty unless the run completed.
        chemicals: a DataFrame with one row per chemical in input order: ``index``, the
            chemical's fields as the run used them, the 55 result slots and the report's
            values, under the JSON export's names, with ``SF_ALLOW`` and ``GW_WELL`` spread
            over ``SF_ALLOW_1`` .. ``SF_ALLOW_5`` and ``GW_WELL_1`` .. ``GW_WELL_5`` as in the
            CSV export. Every number is the engine's double; texts have no trailing blanks.
            An allowable concentration that holds no limit (in ``TCLPMAX``, ``SF_ALLOW_1`` ..
            ``SF_ALLOW_5``, ``GW_WELL_1`` .. ``GW_WELL_5``) is 1e30 or more: the report prints
            it ``0.100E+31`` and the pages "no limit"; test ``>= 1e30``, not equality.
            Without rows unless the run completed. The frame is made on first use and kept.
        verdict: the stream's verdict, as the JSON export gives it: ``"exceeds limits"``
            when any chemical's waste concentration exceeds one of its limits
            (``GW_EXCEEDED`` or ``SF_EXCEEDED``), else ``"within limits"``; ``"not assessed"``
            unless the run completed. It is per chemical: the stream's total risk and hazard
            index do not enter it.
        exceeding: the number of chemicals exceeding a limit; None unless the run completed.
        sources: a DataFrame with one row per value of each chemical when a sources.csv lay
            beside the VORN.IN (or was given): sources.csv's columns, ``origin`` "changed after
            fill; source unknown" for a value that is not the one the fill wrote, and
            ``filled_value``, the value the fill wrote. Without rows otherwise, and when the
            file could not be used (``vorn.run`` then warns why).
        report_text: VORN.OUT as the run wrote it (``""`` when it was not opened).
        log_text: VORN.DBG as the run wrote it.
    """

    __slots__ = ("_record", "_unit", "_chemicals", "_sources")

    _record: "_vorn.RunRecord | _PlainRecord"
    _unit: Optional[Dict[str, Any]]
    _chemicals: Optional[pd.DataFrame]
    _sources: Optional[pd.DataFrame]

    def __init__(self) -> None:
        raise TypeError("Result objects come from vorn.run and vorn.run_many")

    @classmethod
    def _from_record(cls, record: "_vorn.RunRecord | _PlainRecord") -> "Result":
        # The engine's record stays as it is until a value is asked for: a run holds the GIL
        # only for this.
        result = object.__new__(cls)
        result._record = record
        result._unit = None
        result._chemicals = None
        result._sources = None
        return result

    @classmethod
    def _from_state(cls, state: State) -> "Result":
        return cls._from_record(_PlainRecord(state))

    @property
    def status(self) -> str:
        return self._record.status

    @property
    def exit_status(self) -> int:
        return self._record.exit_status

    @property
    def message(self) -> str:
        return self._record.message

    @property
    def unit(self) -> Dict[str, Any]:
        if self._unit is None:
            self._unit = self._record.unit()
        return self._unit

    @property
    def chemicals(self) -> pd.DataFrame:
        if self._chemicals is None:
            self._chemicals = pd.DataFrame(self._record.chemical_columns())
        return self._chemicals

    @property
    def explanation(self) -> str:
        """A run that did not complete: its message in plain words with the likely cause, as
        the program's standard error gives it ("" when the input does not show one)."""
        return self._record.explanation

    @property
    def warnings(self) -> List[str]:
        """The run's warnings, one sentence each: a value read as NaN, a chemical without
        DAF rows (naming the DAF the run used). VORN.DBG holds the log's own warnings."""
        return list(self._record.warnings)

    @property
    def exceeding(self) -> Optional[int]:
        if self.status != "completed":
            return None
        frame = self.chemicals
        return int((frame["GW_EXCEEDED"] | frame["SF_EXCEEDED"]).sum())

    @property
    def verdict(self) -> str:
        exceeding = self.exceeding
        if exceeding is None:
            return "not assessed"
        return "exceeds limits" if exceeding > 0 else "within limits"

    @property
    def sources(self) -> pd.DataFrame:
        if self._sources is None:
            self._sources = pd.DataFrame(self._record.source_columns())
        return self._sources

    @property
    def report_text(self) -> str:
        return self._record.report_text

    @property
    def log_text(self) -> str:
        return self._record.log_text

    def to_html(self) -> str:
        """The page ``vorn --html`` writes, dated SOURCE_DATE_EPOCH when it is set, else
        today (UTC). After ``vorn.run(path)`` the stream's name on it is the path given."""
        return self._record.page(page_date())

    def to_pdf(self, path: PathArgument, *, paper: str = "a4") -> None:
        """That page printed to ``path`` as ``vorn --pdf`` prints it (``paper``: ``"a4"`` or
        ``"letter"``), through a Chromium-family browser already on the machine:
        ``VORN_BROWSER`` names one, else the first of chromium, chromium-browser,
        google-chrome and microsoft-edge found on PATH. :class:`vorn.BrowserUnavailable` (a
        RuntimeError) when there is none; RuntimeError, with what it wrote, when it fails or
        does not answer within VORN_BROWSER_TIMEOUT seconds (default 60)."""
        write_pdf(self.to_html(), path, paper)

    def _warning(self) -> str:
        return self._record.sources_warning

    def __reduce__(self) -> Tuple[Any, Tuple[State]]:
        return (Result._from_state, (self._record.state(),))

    def __repr__(self) -> str:
        if self.status == "completed":
            return f"<vorn.Result completed: {len(self.chemicals)} chemicals>"
        first = self.message.split("\n", 1)[0]
        return f"<vorn.Result {self.status}: {first!r}>"
