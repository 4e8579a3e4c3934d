"""The outcome of one run."""

from __future__ import annotations

from typing import Any, Dict, Optional, Tuple

import pandas as pd

from vorn import _vorn

# (status, exit_status, message, unit, chemical columns, report_text, log_text): plain
# values, so a Result pickles without the engine.
State = Tuple[str, int, str, Dict[str, Any], Dict[str, Any], str, str]


class _PlainRecord:
    """A run's record rebuilt from its state, as the engine's RunRecord offers it."""

    __slots__ = ("_state",)

    def __init__(self, state: State) -> None:
        self._state = state

    status = property(lambda self: self._state[0])
    exit_status = property(lambda self: self._state[1])
    message = property(lambda self: self._state[2])
    report_text = property(lambda self: self._state[5])
    log_text = property(lambda self: self._state[6])

    def unit(self) -> Dict[str, Any]:
        return self._state[3]

    def chemical_columns(self) -> Dict[str, Any]:
        return self._state[4]

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
            Without rows unless the run completed. The frame is made on first use and kept.
        report_text: VORN.OUT as the run wrote it (``""`` when it was not opened).
        log_text: VORN.DBG as the run wrote it.
    """

    __slots__ = ("_record", "_unit", "_chemicals")

    _record: "_vorn.RunRecord | _PlainRecord"
    _unit: Optional[Dict[str, Any]]
    _chemicals: Optional[pd.DataFrame]

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
    def report_text(self) -> str:
        return self._record.report_text

    @property
    def log_text(self) -> str:
        return self._record.log_text

    def __reduce__(self) -> Tuple[Any, Tuple[State]]:
        return (Result._from_state, (self._record.state(),))

    def __repr__(self) -> str:
        if self.status == "completed":
            return f"<vorn.Result completed: {len(self.chemicals)} chemicals>"
        first = self.message.split("\n", 1)[0]
        return f"<vorn.Result {self.status}: {first!r}>"
