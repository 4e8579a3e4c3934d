"""Runs in memory: one, or many on threads as the batch command runs them."""

from __future__ import annotations

import warnings
from typing import Iterable, List, Optional

from vorn import _vorn
from vorn._arguments import (PathArgument, path_bytes, path_list, sources_bytes, text_bytes,
                             thread_count)
from vorn._input import Input
from vorn._result import Result


def _warned(result: Result) -> Result:
    """The Result, after warning that its sources.csv could not be used."""
    warning = result._warning()
    if warning:
        warnings.warn(warning, stacklevel=3)
    return result


def run(
    path: Optional[PathArgument] = None,
    *,
    text: "str | bytes | Input | None" = None,
    input: Optional[Input] = None,
    sources: "str | bytes | None" = None,
) -> Result:
    """One run, in memory: nothing is written.

    Give exactly one of:
        path: a directory holding VORN.IN, or the VORN.IN file itself; a sources.csv beside it
            gives the Result its ``sources``.
        text: the contents of a VORN.IN (a str is read as Latin-1, as the engine reads files),
            with ``sources``, the contents of its sources.csv, if any; or an :class:`Input`,
            taken as ``input=``.
        input: an :class:`Input`, with its sources when it has them.

    A run that does not complete raises nothing: the Result's ``status``, ``exit_status`` and
    ``message`` say what happened, as they would for the program. A sources.csv that cannot be
    used is a warning, and the Result has no sources. Arguments of the wrong type raise
    TypeError, and wrong values ValueError.
    """
    given = [name for name, value in (("path", path), ("text", text), ("input", input))
             if value is not None]
    if len(given) != 1:
        raise TypeError("run() takes exactly one of path, text= and input=, "
                        f"given: {', '.join(given) or 'none'}")
    if isinstance(text, Input):
        if sources is not None:
            raise TypeError("sources= goes with the text of a VORN.IN: an Input carries its own")
        text, input = None, text
    if sources is not None and text is None:
        raise TypeError("sources= goes with text=: a path's sources.csv is read beside it, "
                        "and an Input carries its own")
    if path is not None:
        return _warned(Result._from_record(_vorn.run_path(path_bytes(path))))
    if text is not None:
        given_sources = None if sources is None else sources_bytes(sources)
        return _warned(Result._from_record(_vorn.run_text(text_bytes(text), given_sources)))
    if not isinstance(input, Input):
        raise TypeError(f"input: a vorn.Input, not {type(input).__name__}")
    record = _vorn.run_text(text_bytes(input.to_text()), input._sources)
    return _warned(Result._from_record(record))


def run_many(paths: Iterable[PathArgument], threads: Optional[int] = None) -> List[Result]:
    """A run of each path (a directory or its VORN.IN), several at a time, in memory.

    As the batch command runs streams: each is an ordinary run of its directory, one that fails
    leaves the others going, and ``threads`` runs go on at once (default: one per processor).
    The Results come back in the order of ``paths``.
    """
    items = path_list(paths)
    return [_warned(Result._from_record(r))
            for r in _vorn.run_paths(items, thread_count(threads))]
