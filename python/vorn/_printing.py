"""Pages dated as the program dates them, and printed to PDF by a browser."""

from __future__ import annotations

import datetime
import os

from vorn import _vorn
from vorn._arguments import PathArgument

# The latest time a four-digit year holds: 9999-12-31T23:59:59Z.
_LAST_DATE_SECONDS = 253402300799

BrowserUnavailable = _vorn.BrowserUnavailable
BrowserUnavailable.__doc__ = (
    "No browser to print with: none found (VORN_BROWSER names one), or printing is not "
    "supported on this platform. A RuntimeError."
)
BrowserUnavailable.__module__ = "vorn"


def page_date() -> str:
    """The date a page is stamped with: SOURCE_DATE_EPOCH (whole seconds since 1970-01-01
    UTC) when it is set, else today, in UTC, as YYYY-MM-DD."""
    text = os.environ.get("SOURCE_DATE_EPOCH")
    if text is None:
        return datetime.datetime.now(datetime.timezone.utc).date().isoformat()
    if not text.isdigit() or int(text) > _LAST_DATE_SECONDS:
        raise ValueError(f"SOURCE_DATE_EPOCH={text}: the date of the pages is given as whole "
                         f"seconds since 1970-01-01 UTC, from 0 to {_LAST_DATE_SECONDS}")
    return datetime.datetime.fromtimestamp(int(text), datetime.timezone.utc).date().isoformat()


def write_pdf(html: str, path: PathArgument, paper: str) -> None:
    """Prints the page to `path` through a Chromium-family browser already on the machine."""
    if not isinstance(path, (str, os.PathLike)):
        raise TypeError(f"path: a str or os.PathLike, not {type(path).__name__}")
    if paper not in ("a4", "letter"):
        raise ValueError(f"paper: 'a4' or 'letter', not {paper!r}")
    data = _vorn.print_pdf(html, paper)
    with open(path, "wb") as f:
        f.write(data)
