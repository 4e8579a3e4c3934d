"""Runs in memory: one, or many on threads as the batch command runs them."""

from __future__ import annotations

from typing import Iterable, List, Optional

from vorn import _vorn
from vorn._arguments import PathArgument, path_bytes, path_list, text_bytes, thread_count
from vorn._input import Input
from vorn._result import Result


def run(
    path: Optional[PathArgument] = None,
    *,
    text: "str | bytes | None" = None,
    input: Optional[Input] = None,
) -> Result:
    """One run, in memory: nothing is written.

    Give exactly one of:
        path: a directory holding VORN.IN, or the VORN.IN file itself.
        text: the contents of a VORN.IN (a str is read as Latin-1, as the engine reads files).
        input: an :class:`Input`.

    A run that does not complete raises nothing: the Result's ``status``, ``exit_status`` and
    ``message`` say what happened, as they would for the program. Arguments of the wrong type
    raise TypeError, and wrong values ValueError.
    """
    given = [name for name, value in (("path", path), ("text", text), ("input", input))
             if value is not None]
    if len(given) != 1:
        raise TypeError("run() takes exactly one of path, text= and input=, "
                        f"given: {', '.join(given) or 'none'}")
    if path is not None:
        return Result._from_record(_vorn.run_path(path_bytes(path)))
    if text is not None:
        return Result._from_record(_vorn.run_text(text_bytes(text)))
    if not isinstance(input, Input):
        raise TypeError(f"input: a vorn.Input, not {type(input).__name__}")
    return Result._from_record(_vorn.run_text(text_bytes(input.to_text())))


def run_many(paths: Iterable[PathArgument], threads: Optional[int] = None) -> List[Result]:
    """A run of each path (a directory or its VORN.IN), several at a time, in memory.

    As the batch command runs streams: each is an ordinary run of its directory, one that fails
    leaves the others going, and ``threads`` runs go on at once (default: one per processor).
    The Results come back in the order of ``paths``.
    """
    items = path_list(paths)
    return [Result._from_record(r) for r in _vorn.run_paths(items, thread_count(threads))]
