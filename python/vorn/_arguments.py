"""The checks of the arguments users give: wrong types are TypeError, wrong values ValueError."""

from __future__ import annotations

import os
from typing import Iterable, List, Optional, Union

PathArgument = Union[str, "os.PathLike[str]"]


def path_bytes(path: object, what: str = "path") -> bytes:
    """The path of a directory or of its VORN.IN, as the bytes the file system knows it by.

    A file of another name is a ValueError: the engine would read the VORN.IN beside it.
    """
    if not isinstance(path, (str, os.PathLike)):
        raise TypeError(f"{what}: a str or os.PathLike, not {type(path).__name__}")
    raw = os.fsencode(path)
    if not raw:
        raise ValueError(f"{what}: empty")
    if b"\0" in raw:
        raise ValueError(f"{what}: holds a NUL character")
    if os.path.basename(raw) != b"VORN.IN" and os.path.isfile(raw):
        raise ValueError(f"{what}: {os.fsdecode(raw)} is a file not named VORN.IN: give a "
                         "directory holding VORN.IN, its VORN.IN, or the file's contents as text")
    return raw


def path_list(paths: object) -> List[bytes]:
    """Each path of an iterable of paths."""
    if isinstance(paths, (str, bytes, os.PathLike)):
        raise TypeError("paths: an iterable of paths, not one path")
    try:
        items: Iterable[object] = iter(paths)  # type: ignore[call-overload]
    except TypeError:
        raise TypeError(f"paths: an iterable of paths, not {type(paths).__name__}") from None
    return [path_bytes(p, f"paths[{k}]") for k, p in enumerate(items)]


def text_bytes(text: object) -> bytes:
    """The bytes of a VORN.IN given as text (read as Latin-1, as the engine reads files)."""
    if isinstance(text, (bytes, bytearray, memoryview)):
        return bytes(text)
    if not isinstance(text, str):
        raise TypeError(f"text: a str or bytes, not {type(text).__name__}")
    try:
        return text.encode("latin-1")
    except UnicodeEncodeError as e:
        raise ValueError(
            f"text: {text[e.start]!r} at position {e.start} is not a Latin-1 character, "
            "and VORN.IN is read as Latin-1"
        ) from None


def sources_bytes(sources: object) -> bytes:
    """sources.csv's contents given as text (UTF-8) or bytes."""
    if isinstance(sources, (bytes, bytearray, memoryview)):
        return bytes(sources)
    if not isinstance(sources, str):
        raise TypeError(f"sources: a str or bytes, not {type(sources).__name__}")
    return sources.encode("utf-8")


def sources_beside(path: bytes) -> Optional[bytes]:
    """The bytes of the sources.csv beside the VORN.IN a path names, or None when there is
    none or it cannot be read."""
    directory = os.path.dirname(path) if os.path.basename(path) == b"VORN.IN" else path
    try:
        with open(os.path.join(directory, b"sources.csv"), "rb") as f:
            return f.read()
    except OSError:
        return None


def thread_count(threads: Optional[int]) -> int:
    """The number of threads; 0 for one per processor."""
    if threads is None:
        return 0
    if isinstance(threads, bool) or not isinstance(threads, int):
        raise TypeError(f"threads: an int or None, not {type(threads).__name__}")
    if threads < 1:
        raise ValueError(f"threads: {threads}, at least 1")
    return threads
