"""What every vorn.dask function does with the cluster: find the client, cut the work into
blocks and gather the blocks' answers in block order."""

from __future__ import annotations

from typing import Any, Callable, List, Optional, Sequence, TypeVar

import distributed

Payload = TypeVar("Payload")


def resolve_client(client: Optional[distributed.Client]) -> distributed.Client:
    """The client given, or the default one; ValueError when there is none."""
    if client is None:
        return distributed.default_client()
    if not isinstance(client, distributed.Client):
        raise TypeError(f"client: a distributed.Client or None, not {type(client).__name__}")
    return client


def worker_threads(client: distributed.Client) -> int:
    """The threads of all the cluster's workers (at least 1)."""
    return max(1, sum(client.nthreads().values()))


def blocks(count: int, parts: int) -> List[range]:
    """[0, count) cut into at most ``parts`` contiguous ranges of sizes differing by at most 1."""
    parts = max(1, min(parts, count))
    size, extra = divmod(count, parts)
    cuts = [k * size + min(k, extra) for k in range(parts + 1)]
    return [range(cuts[k], cuts[k + 1]) for k in range(parts) if cuts[k] < cuts[k + 1]]


def map_in_order(client: distributed.Client, function: Callable[[Payload], Any],
                 payloads: Sequence[Payload]) -> List[Any]:
    """``function`` applied to each payload on the workers; the answers in payload order."""
    futures = client.map(function, list(payloads), pure=False)
    return client.gather(futures)
