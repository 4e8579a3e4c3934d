"""A probabilistic run over a Dask cluster: its realizations as shards, merged in order."""

from __future__ import annotations

import time
from typing import Optional, Tuple

import distributed

from vorn import _vorn
from vorn._arguments import text_bytes
from vorn._montecarlo import ScenarioArgument, Summary, input_of, scenario_source
from vorn.dask._cluster import map_in_order, resolve_client, worker_threads

# A block holds at least about this much work, so that a task's cost stays small beside it.
_BLOCK_SECONDS = 0.25
# Blocks per worker thread at most: enough to even out the workers.
_BLOCKS_PER_THREAD = 4
# Realizations timed on the client to size the blocks.
_PILOT = 64

# (realizations, seed, outer, inner): the overrides of the scenario's.
_Counts = Tuple[Optional[int], Optional[int], Optional[int], Optional[int]]
_Shard = Tuple[str, str, bytes, _Counts, Tuple[int, int]]


def _run_shard(payload: _Shard) -> str:
    """On a worker: one shard's part document."""
    name, toml_text, input_text, counts, shard = payload
    call = _vorn.montecarlo(name, toml_text, input_text, *counts, 1, shard)
    if call.part is None:
        raise RuntimeError(f"the deterministic run did not complete: {call.message}")
    return call.part.text()


def _block_count(name: str, toml_text: str, input_text: bytes, counts: _Counts,
                 threads: int) -> int:
    """Blocks of at least _BLOCK_SECONDS each, timed from a pilot run on the client. A shard
    cuts realizations, or the outer draws of a scenario with uncertainty inputs."""
    realizations, seed, outer, inner = counts
    units, per_draw = _vorn.shard_units(name, toml_text, realizations, outer, inner)
    if per_draw is not None:
        # One outer draw of at most _PILOT inner realizations.
        pilot_inner = min(per_draw, _PILOT)
        pilot, share = (None, seed, 1, pilot_inner), pilot_inner / per_draw
    else:
        pilot, share = (_PILOT, seed, None, None), float(_PILOT)
    start = time.perf_counter()
    _vorn.montecarlo(name, toml_text, input_text, *pilot, 1, None)
    seconds_per_unit = (time.perf_counter() - start) / share
    by_work = int(units * seconds_per_unit / _BLOCK_SECONDS)
    return max(1, min(units, by_work, _BLOCKS_PER_THREAD * threads))


def montecarlo(scenario: ScenarioArgument,
               client: Optional[distributed.Client] = None,
               blocks: Optional[int] = None,
               *,
               text: "str | bytes | None" = None,
               realizations: Optional[int] = None,
               seed: Optional[int] = None,
               outer: Optional[int] = None,
               inner: Optional[int] = None) -> Summary:
    """:func:`vorn.montecarlo` on the cluster's workers; ``to_json()`` of the result equals a
    local run's exactly.

    The realizations (the outer draws, in a run with uncertainty inputs) are cut into
    ``blocks`` shards (default: blocks of at least about 0.25 s of work, at most four per
    worker thread), run on the workers and merged in block order.
    The scenario and VORN.IN texts are sent with the work: workers need no shared file system.
    """
    client = resolve_client(client)
    name, toml_text, directory = scenario_source(scenario)
    input_text = text_bytes(text) if text is not None else input_of(name, toml_text, directory)
    counts = (realizations, seed, outer, inner)
    if blocks is None:
        blocks = _block_count(name, toml_text, input_text, counts, worker_threads(client))
    if isinstance(blocks, bool) or not isinstance(blocks, int) or blocks < 1:
        raise ValueError(f"blocks: {blocks!r}, a positive int")
    payloads = [(name, toml_text, input_text, counts, (i, blocks))
                for i in range(1, blocks + 1)]
    parts = map_in_order(client, _run_shard, payloads)
    return Summary(parts[0]).merge(*[Summary(p) for p in parts[1:]])
