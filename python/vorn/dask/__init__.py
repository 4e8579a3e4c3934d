"""Runs of vorn spread over a Dask cluster.

The client reads every input and sends its text with the work; each worker runs it in memory
and sends back the values. Workers need vorn installed, but no shared file system, and no
engine object is ever pickled. Without ``client=`` the default client is used (the one made
last by ``distributed.Client(...)``).
"""

from vorn.dask._montecarlo import montecarlo
from vorn.dask._streams import run_many

__all__ = ["montecarlo", "run_many"]
