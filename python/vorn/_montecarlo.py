"""Probabilistic runs: a scenario's realizations, all or one shard of them, as a Summary."""

from __future__ import annotations

import io
import json
import math
import os
import re
import warnings
from typing import Any, Dict, List, Mapping, Optional, Tuple, Union

import pandas as pd

from vorn import _vorn
from vorn._arguments import PathArgument, text_bytes, thread_count
from vorn._printing import page_date, write_pdf

ScenarioArgument = Union[str, "os.PathLike[str]", Mapping[str, Any]]


class Summary:
    """The mergeable state of a probabilistic run over some or all of its realizations.

    ``to_json()`` and ``to_frame()`` give the documents ``vorn mc --json`` and ``--csv`` write,
    once every realization is covered, and ``chemicals`` each chemical's verdict; ``merge`` adds
    the other shards of the same run. A Summary pickles as the part document that ``vorn mc --part`` writes, and
    ``Summary(text)`` reads one (ValueError when the text is not a part document).
    """

    __slots__ = ("_state", "_documents")

    def __init__(self, part: "str | _vorn.Part") -> None:
        # The engine keeps the state; it becomes text only when pickled or asked for.
        if isinstance(part, str):
            part = _vorn.Part.from_text(part)
        elif not isinstance(part, _vorn.Part):
            raise TypeError(f"part: a part document (str), not {type(part).__name__}")
        self._state = part
        self._documents: Optional[Tuple[str, str]] = None

    @property
    def part(self) -> str:
        """The part document (JSON), as ``vorn mc --part`` writes it."""
        return self._state.text()

    def merge(self, *others: "Summary") -> "Summary":
        """This summary with the others' shards added; ValueError when they are not shards
        of the same run, or share a shard."""
        merged = self._state
        for other in others:
            if not isinstance(other, Summary):
                raise TypeError(f"merge: a vorn.Summary, not {type(other).__name__}")
            merged = merged.merged(other._state)
        return Summary(merged)

    def _made(self) -> Tuple[str, str]:
        if self._documents is None:
            self._documents = self._state.documents()
        return self._documents

    def to_json(self) -> str:
        """The document ``vorn mc --json`` writes; ValueError until every shard is merged."""
        return self._made()[0]

    def to_frame(self) -> pd.DataFrame:
        """The long CSV of ``vorn mc --csv`` as a frame: ``chemical``, ``quantity``,
        ``statistic`` (texts), ``value`` (float64: the document's numbers, NaN and the
        infinities included) and ``flag`` (pandas ``boolean``): the rows whose value is true
        or false (a decision's ``EXCEEDED``, an input's ``negligible``) hold it in ``flag``,
        with ``value`` NaN; the others have ``flag`` <NA>; the rows whose value is a word (a
        decision's ``verdict``) hold it in ``text``, with ``value`` NaN. An allowable concentration that
        holds no limit is 1e30 or more ("no limit" on the page). ValueError until every
        shard is merged."""
        frame = pd.read_csv(io.StringIO(self._made()[1]), dtype=str, keep_default_na=False)
        texts = frame["value"].tolist()
        flags = [text in ("true", "false") for text in texts]
        numbers = [_number_or_none(text) for text in texts]
        words = [not flag and text != "" and number is None
                 for text, flag, number in zip(texts, flags, numbers)]
        frame["value"] = pd.Series([math.nan if number is None else number for number in numbers],
                                   dtype="float64")
        frame["flag"] = pd.array([text == "true" if flag else None
                                  for text, flag in zip(texts, flags)], dtype="boolean")
        frame["text"] = pd.Series([text if word else None for text, word in zip(texts, words)],
                                  dtype="object")
        return frame

    @property
    def chemicals(self) -> pd.DataFrame:
        """The verdict per chemical as a wide frame, one row per chemical in input order:
        ``index``, ``CHEMNAME``, ``CHEMCAS``; ``P_EXCEEDED`` with ``P_EXCEEDED_lower`` and
        ``P_EXCEEDED_upper``; the decision values ``TCLPMAX`` and ``SF_MAX``, the allowable
        concentrations at the decision percentile, each with ``_lower`` and ``_upper``;
        ``exceeded`` (the point rule: P(exceeded) above 100 - P percent) and ``verdict``.

        For a one-dimensional run the intervals are the document's: the 95 % intervals of the
        allowable concentrations and the 95 % Wilson score interval of P(exceeded) over the
        realizations completed for the chemical; the verdict is the document's, "exceeded"
        when the whole interval lies above 100 - P percent, "not exceeded" when it lies at or
        below it, "undetermined" otherwise, and "not assessed" when no realization completed.
        For a run with uncertainty inputs the verdict is "exceeded" or "not exceeded" at the
        middle band level. For a run with uncertainty inputs the values
        are those at the middle band level and the intervals span the outermost band levels
        (``band_levels`` of the JSON). An allowable concentration that holds no limit is
        1e30 or more ("no limit" on the page). ValueError until every shard is merged, and
        for a Sobol run, which gives indices and no verdict."""
        return _verdict_frame(json.loads(self.to_json()))

    def to_html(self) -> str:
        """The page ``vorn mc --html`` writes, dated SOURCE_DATE_EPOCH when it is set, else
        today (UTC); ValueError until every shard is merged."""
        return self._state.page(page_date())

    def to_pdf(self, path: PathArgument, *, paper: str = "a4") -> None:
        """That page printed to ``path`` as ``vorn mc --pdf`` prints it; see
        :meth:`vorn.Result.to_pdf` for the browser. :class:`vorn.BrowserUnavailable` (a
        RuntimeError) when there is none."""
        write_pdf(self.to_html(), path, paper)

    def __getstate__(self) -> str:
        return self.part

    def __setstate__(self, state: str) -> None:
        self.__init__(state)

    def __eq__(self, other: object) -> bool:
        return isinstance(other, Summary) and other.part == self.part

    def __repr__(self) -> str:
        state = "complete" if self._state.complete() else "some shards"
        return f"<vorn.Summary of {state}>"


def _number_or_none(text: str) -> Optional[float]:
    """A number of the CSV as a float (NaN and the infinities included); None for any other
    text."""
    try:
        return float(text)
    except ValueError:
        return None


def _number(value: Any) -> float:
    """A JSON number of the documents (non-finite ones are strings) as a float."""
    return float(value)


def _verdict_rows(document: Dict[str, Any]) -> List[Dict[str, Any]]:
    kind = document.get("kind")
    rows = []
    if kind == "monte carlo":
        for c in document["chemicals"]:
            d = c["decision"]
            interval = d["P_EXCEEDED_interval"]
            row = {"P_EXCEEDED": _number(d["P_EXCEEDED"]),
                   "P_EXCEEDED_lower": _number(interval["lower"]),
                   "P_EXCEEDED_upper": _number(interval["upper"])}
            for name in ("TCLPMAX", "SF_MAX"):
                row.update({name: _number(d[name]["value"]),
                            f"{name}_lower": _number(d[name]["lower"]),
                            f"{name}_upper": _number(d[name]["upper"])})
            assessed = int(c["completed"]) > 0
            row["verdict"] = d["verdict"] if assessed else "not assessed"
            rows.append((c, row, bool(d["exceeded"]), assessed))
    elif kind == "nested monte carlo":
        levels = [_level_key(level) for level in document["band_levels"]]
        low, mid, high = levels[0], levels[len(levels) // 2], levels[-1]
        for c in document["chemicals"]:
            d = c["decision"]
            row = {}
            for name in ("P_EXCEEDED", "TCLPMAX", "SF_MAX"):
                row.update({name: _number(d[name][mid]), f"{name}_lower": _number(d[name][low]),
                            f"{name}_upper": _number(d[name][high])})
            rows.append((c, row, bool(d["exceeded"][mid]), not math.isnan(row["TCLPMAX"])))
    else:
        raise ValueError(f"a {kind} run gives no verdict per chemical")
    frames = []
    for c, row, exceeded, assessed in rows:
        verdict = row.pop("verdict", None) or ("not assessed" if not assessed
                                               else "exceeded" if exceeded else "not exceeded")
        frames.append(dict({"index": c["index"], "CHEMNAME": c["CHEMNAME"],
                            "CHEMCAS": c["CHEMCAS"]},
                           **row, exceeded=exceeded and assessed, verdict=verdict))
    return frames


def _level_key(level: Any) -> str:
    """A band level as the JSON keys it ("5", "50", "97.5")."""
    number = float(level)
    return str(int(number)) if number.is_integer() else repr(number)


def _verdict_frame(document: Dict[str, Any]) -> pd.DataFrame:
    rows = _verdict_rows(document)
    columns = ["index", "CHEMNAME", "CHEMCAS"] + [
        f"{name}{end}" for name in ("P_EXCEEDED", "TCLPMAX", "SF_MAX")
        for end in ("", "_lower", "_upper")] + ["exceeded", "verdict"]
    frame = pd.DataFrame(rows, columns=columns)
    return frame.astype({"index": "int64", "exceeded": "bool"})


def _toml_value(value: Any) -> str:
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, (int, float)):
        return repr(value)
    if isinstance(value, str):
        return '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"'
    if isinstance(value, (list, tuple)):
        return "[" + ", ".join(_toml_value(v) for v in value) + "]"
    if isinstance(value, Mapping):
        return "{ " + ", ".join(f"{k} = {_toml_value(v)}" for k, v in value.items()) + " }"
    raise TypeError(f"scenario: a value of type {type(value).__name__} has no TOML form")


def scenario_toml(scenario: Mapping[str, Any]) -> str:
    """A scenario given as a dict, written as the TOML text the engine reads."""
    lines = []
    tables = []
    for key, value in scenario.items():
        if isinstance(value, (list, tuple)) and value and all(isinstance(v, Mapping) for v in value):
            tables.append((key, value))
        else:
            lines.append(f"{key} = {_toml_value(value)}")
    for key, entries in tables:
        for entry in entries:
            lines.append(f"\n[[{key}]]")
            lines.extend(f"{k} = {_toml_value(v)}" for k, v in entry.items())
    return "\n".join(lines) + "\n"


def scenario_source(scenario: Optional[ScenarioArgument]) -> Tuple[str, str, str]:
    """(name for messages, TOML text, directory its relative `input` is taken from)."""
    if isinstance(scenario, Mapping):
        return "scenario", scenario_toml(scenario), os.getcwd()
    if isinstance(scenario, os.PathLike) or (isinstance(scenario, str) and "\n" not in scenario
                                             and "=" not in scenario):
        path = os.fspath(scenario)
        try:
            with open(path, encoding="utf-8") as f:
                text = f.read()
        except OSError as e:
            raise ValueError(f"scenario: cannot read {path}: {e.strerror}") from None
        return path, text, os.path.dirname(os.path.abspath(path))
    if isinstance(scenario, str):
        return "scenario", scenario, os.getcwd()
    raise TypeError("scenario: a path, TOML text or a dict, not "
                    f"{type(scenario).__name__}")


def input_of(name_for_messages: str, text: str, directory: str) -> bytes:
    """The VORN.IN bytes the scenario's `input` names, relative to `directory`. The engine's
    own reader finds it, so the TOML is read one way only."""
    name = _vorn.scenario_input(name_for_messages, text)
    if name is None:
        raise ValueError("scenario: input: missing: name the VORN.IN to run, or give text=")
    path = os.path.join(directory, name)
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError as e:
        raise ValueError(f"scenario: input: cannot read {path}: {e.strerror}") from None


_LOCATED = re.compile(r"^scenario:\d+:\d+: ([^\s:]+): (.*)$")


def dict_paths(message: str) -> str:
    """A message about a dict scenario with each problem keyed by the dict's own path
    (``vary[0].chemical``) instead of the place in the TOML text made from the dict."""
    lines = []
    for line in message.split("\n"):
        located = _LOCATED.match(line)
        if located:
            key = re.sub(r"\[(\d+)\]", lambda m: f"[{int(m.group(1)) - 1}]", located.group(1))
            line = f"scenario: {key}: {located.group(2)}"
        lines.append(line)
    return "\n".join(lines)


def _count(value: Optional[int], what: str) -> Optional[int]:
    if value is None:
        return None
    if not isinstance(value, int) or isinstance(value, bool):
        raise TypeError(f"{what}: an int, not {type(value).__name__}")
    if value < (0 if what == "seed" else 1):
        raise ValueError(f"{what}: {value} is out of range")
    return value


def montecarlo(
    scenario: Optional[ScenarioArgument] = None,
    *,
    text: "str | bytes | None" = None,
    realizations: Optional[int] = None,
    seed: Optional[int] = None,
    outer: Optional[int] = None,
    inner: Optional[int] = None,
    threads: Optional[int] = None,
    shard: Optional[Tuple[int, int]] = None,
) -> Summary:
    """A probabilistic run in memory, as ``vorn mc`` makes it; nothing is written.

    scenario: a scenario file's path, its TOML text, or a dict of the same keys.
    text: the VORN.IN's contents, in place of the file the scenario's ``input`` names.
    realizations, seed: override the scenario's. outer, inner: the outer (uncertainty) and
    inner (variability) draws of a scenario with uncertainty inputs, whose documents are then
    those of ``vorn mc`` for such a run. threads: at a time (default: one per processor).
    shard: (I, K) runs only shard I of K (of the outer draws in a run with uncertainty
    inputs); merge the Summaries of all K.

    A factor over every chemical leaves a chemical whose value is missing as read, and says so
    in a UserWarning, as ``vorn mc`` says it in a note.

    Raises ValueError listing a scenario's problems, and RuntimeError with the deterministic
    run's message when that run does not complete (the realizations would mean nothing).
    """
    name, toml_text, directory = scenario_source(scenario)
    try:
        return _montecarlo(name, toml_text, directory, text, realizations, seed, outer, inner,
                           threads, shard)
    except ValueError as e:
        if isinstance(scenario, Mapping):
            raise ValueError(dict_paths(str(e))) from None
        raise


def _montecarlo(name, toml_text, directory, text, realizations, seed, outer, inner, threads,
                shard) -> Summary:
    input_text = text_bytes(text) if text is not None else input_of(name, toml_text, directory)
    if shard is not None:
        if (not isinstance(shard, tuple) or len(shard) != 2
                or not all(isinstance(v, int) for v in shard)):
            raise TypeError("shard: a tuple (I, K) of ints")
        if not 1 <= shard[0] <= shard[1]:
            raise ValueError(f"shard: {shard} needs 1 <= I <= K")
    call = _vorn.montecarlo(name, toml_text, input_text, _count(realizations, "realizations"),
                            _count(seed, "seed"), _count(outer, "outer"), _count(inner, "inner"),
                            thread_count(threads), shard)
    if call.part is None:
        raise RuntimeError(f"the deterministic run did not complete ({call.status}, exit "
                           f"status {call.exit_status}): {call.message}")
    for note in call.notes:  # a factor that leaves a missing value as read, as vorn mc notes it
        warnings.warn(note, stacklevel=2)
    return Summary(call.part)
