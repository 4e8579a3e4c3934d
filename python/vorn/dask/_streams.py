"""Many waste streams over a Dask cluster."""

from __future__ import annotations

from typing import Iterable, List, Optional, Tuple

import distributed

from vorn import _vorn
from vorn._arguments import PathArgument, path_list, sources_beside
from vorn._result import Result, State
from vorn.dask._cluster import blocks, map_in_order, resolve_client, worker_threads

# Blocks per worker thread: enough to even out streams of different sizes, few enough that
# the cost of a task stays small beside its runs.
_BLOCKS_PER_THREAD = 4


def _run_block(items: List[Tuple[bytes, Optional[bytes]]]) -> List[State]:
    """On a worker: the runs of a block's VORN.IN texts (with their sources.csv), one after
    the other."""
    return [_vorn.run_text(text, sources).state() for text, sources in items]


def _named(state: State, path: bytes) -> State:
    """The state with the stream's name a local run of the path gives its page."""
    name = path.decode("utf-8", "replace")
    return state[:9] + (name,)  # type: ignore[return-value]


def run_many(paths: Iterable[PathArgument],
             client: Optional[distributed.Client] = None) -> List[Result]:
    """A run of each path (a directory or its VORN.IN) on the cluster's workers.

    The Results equal those of :func:`vorn.run_many` and come back in the order of ``paths``;
    a sources.csv beside a VORN.IN is sent with it. An input that cannot be read is not sent:
    its "input missing" Result is made here.
    """
    items = path_list(paths)
    client = resolve_client(client)
    texts = [_vorn.input_bytes(p) for p in items]
    results: List[Optional[Result]] = [
        None if t is not None else Result._from_record(_vorn.run_path(p))
        for p, t in zip(items, texts)
    ]
    sent = [k for k, t in enumerate(texts) if t is not None]
    parts = blocks(len(sent), _BLOCKS_PER_THREAD * worker_threads(client))
    answers = map_in_order(client, _run_block,
                           [[(texts[sent[j]], sources_beside(items[sent[j]])) for j in r]
                            for r in parts])
    for r, states in zip(parts, answers):
        for j, state in zip(r, states):
            results[sent[j]] = Result._from_state(_named(state, items[sent[j]]))
    return results  # type: ignore[return-value]
