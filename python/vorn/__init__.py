"""Waste-stream risk assessment runs in memory, with their values as pandas frames.

>>> import vorn
>>> result = vorn.run("examples/landfill")
>>> result.status
'completed'
>>> result.chemicals[["CHEMNAME", "TCLPMAX", "GW_PATHWAY", "GW_EXCEEDED"]]

``vorn.run`` makes one run, ``vorn.run_many`` many on threads, ``vorn.montecarlo`` a
probabilistic run, ``vorn.read_input`` and
``vorn.Input`` hold a VORN.IN as data; ``vorn.chemicals()`` is the chemical library and
``vorn.fill`` fills a stream's chemicals from it; ``vorn.dask`` spreads runs over a Dask
cluster. Every run happens in memory: nothing is written. The engine releases the GIL while it
works, so runs on several Python threads go on at once. ``Result.to_pdf`` and
``Summary.to_pdf`` print pages through a browser already on the machine.
"""

from vorn._chemicals import chemicals, fill
from vorn._input import Input, read_input
from vorn._montecarlo import Summary, montecarlo
from vorn._printing import BrowserUnavailable
from vorn._result import Result
from vorn._run import run, run_many
from vorn._vorn import __version__

__all__ = ["BrowserUnavailable", "Input", "Result", "Summary", "__version__", "chemicals", "fill",
           "montecarlo", "read_input", "run", "run_many"]
