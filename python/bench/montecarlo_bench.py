"""What Python and Dask cost or give on a probabilistic run of the shipped scenario.

    build-python/venv/bin/python python/bench/montecarlo_bench.py [REALIZATIONS] [SECONDS]

1. Python's overhead: ``vorn.montecarlo(...).to_json()`` for REALIZATIONS (default 100,000)
   against ``vorn mc --json`` doing the same work (the program at $VORN_CLI, default
   build/vorn), both on one thread. Calls alternate so that other work on the machine weighs
   on both alike; each pair gives a ratio and the median ratio counts.
2. Two Python threads against one: ``vorn.montecarlo(threads=1)`` called by one thread, then by
   two at once doing the same work each.
3. Dask: ``vorn.dask.montecarlo`` on a LocalCluster of two single-threaded worker processes
   against one, on a run sized to take about SECONDS (default 10) in one process. Cluster
   start-up is outside the timing; the cluster's own costs (sending the work, merging the
   parts) are inside.
The documents are compared too: every call must give the local run's bytes.
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import distributed

import vorn
import vorn.dask
from threads_bench import seconds_on

ROOT = Path(__file__).resolve().parents[2]
SCENARIO = ROOT / "examples" / "montecarlo" / "scenario.toml"
CLI = os.environ.get("VORN_CLI", str(ROOT / "build" / "vorn"))
ROUNDS = 3


def timed(call):
    start = time.perf_counter()
    value = call()
    return time.perf_counter() - start, value


def cli_document(realizations, out):
    subprocess.run([CLI, "mc", str(SCENARIO), "--realizations", str(realizations), "--threads",
                    "1", "--json", out], check=True, stderr=subprocess.DEVNULL)
    return Path(out).read_text(encoding="utf-8")


def python_document(realizations):
    return vorn.montecarlo(SCENARIO, realizations=realizations, threads=1).to_json()


def overhead(realizations):
    ratios = []
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "mc.json")
        for _ in range(ROUNDS):
            program, expected = timed(lambda: cli_document(realizations, out))
            python, document = timed(lambda: python_document(realizations))
            assert document == expected, "vorn.montecarlo differs from vorn mc"
            ratios.append(python / program)
            print(f"  vorn mc {program:6.2f} s, vorn.montecarlo {python:6.2f} s")
    ratio = statistics.median(ratios)
    print(f"Python overhead at {realizations} realizations: {100 * (ratio - 1):+.1f} %")


def python_threads(realizations):
    def work(_):
        python_document(realizations)

    ratios = []
    for _ in range(ROUNDS):
        one, two = seconds_on(1, work, 1), seconds_on(2, work, 1)
        ratios.append(2 * one / two)
        print(f"  1 thread {one:6.2f} s, 2 threads {two:6.2f} s (twice the work)")
    print(f"two Python threads give {statistics.median(ratios):.2f}x one")


def on_cluster(workers, realizations, expected):
    with distributed.LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        client.run(lambda: __import__("vorn"))  # the workers load the engine before the clock
        seconds, summary = timed(lambda: vorn.dask.montecarlo(SCENARIO, client,
                                                              realizations=realizations))
    assert summary.to_json() == expected, "the cluster's document differs from the local run"
    return seconds


def dask_speedup(seconds):
    pilot = 2000
    spent, _ = timed(lambda: python_document(pilot))
    realizations = max(pilot, int(seconds * pilot / spent))
    expected = python_document(realizations)
    ratios = []
    for _ in range(ROUNDS):
        one = on_cluster(1, realizations, expected)
        two = on_cluster(2, realizations, expected)
        ratios.append(one / two)
        print(f"  1 worker {one:6.2f} s, 2 workers {two:6.2f} s")
    print(f"Dask on 2 worker processes at {realizations} realizations: "
          f"{statistics.median(ratios):.2f}x one")


def main():
    realizations = int(sys.argv[1]) if len(sys.argv) > 1 else 100_000
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    print(f"load average before: {os.getloadavg()[0]:.2f}, processors: {os.cpu_count()}")
    overhead(realizations)
    python_threads(realizations // 4)
    dask_speedup(seconds)
    print(f"load average after: {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
