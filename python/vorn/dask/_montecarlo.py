"""A probabilistic run over a Dask cluster: its realizations as shards, merged in order."""

from __future__ import annotations

import time
import tomllib
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

_Shard = Tuple[str, str, bytes, Optional[int], Optional[int], Tuple[int, int]]


def _run_shard(payload: _Shard) -> str:
    """On a worker: one shard's part document."""
    name, toml_text, input_text, realizations, seed, shard = payload
    call = _vorn.montecarlo(name, toml_text, input_text, realizations, seed, 1, shard)
    if call.part is None:
        raise RuntimeError(f"the deterministic run did not complete: {call.message}")
    return call.part.text()


def _block_count(name: str, toml_text: str, input_text: bytes, realizations: int,
                 seed: Optional[int], threads: int) -> int:
    """Blocks of at least _BLOCK_SECONDS each, timed from a pilot run on the client."""
    start = time.perf_counter()
    _vorn.montecarlo(name, toml_text, input_text, _PILOT, seed, 1, None)
    per_realization = (time.perf_counter() - start) / _PILOT
    by_work = int(realizations * per_realization / _BLOCK_SECONDS)
    return max(1, min(realizations, by_work, _BLOCKS_PER_THREAD * threads))


def montecarlo(scenario: ScenarioArgument,
               client: Optional[distributed.Client] = None,
               blocks: Optional[int] = None,
               *,
               text: "str | bytes | None" = None,
               realizations: Optional[int] = None,
               seed: Optional[int] = None) -> Summary:
    """:func:`vorn.montecarlo` on the cluster's workers; ``to_json()`` of the result equals a
    local run's exactly.

    The realizations are cut into ``blocks`` shards (default: blocks of at least about 0.25 s
    of work, at most four per worker thread), run on the workers and merged in block order.
    The scenario and VORN.IN texts are sent with the work: workers need no shared file system.
    """
    client = resolve_client(client)
    name, toml_text, directory = scenario_source(scenario)
    input_text = text_bytes(text) if text is not None else input_of(toml_text, directory)
    count = realizations
    if count is None:
        count = tomllib.loads(toml_text).get("realizations", 10000)
    if blocks is None:
        blocks = _block_count(name, toml_text, input_text, count, seed, worker_threads(client))
    if isinstance(blocks, bool) or not isinstance(blocks, int) or blocks < 1:
        raise ValueError(f"blocks: {blocks!r}, a positive int")
    payloads = [(name, toml_text, input_text, realizations, seed, (i, blocks))
                for i in range(1, blocks + 1)]
    parts = map_in_order(client, _run_shard, payloads)
    return Summary(parts[0]).merge(*[Summary(p) for p in parts[1:]])
