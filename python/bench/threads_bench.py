"""Two Python threads against one: the runs per second of vorn.run and vorn.run_many.

    build-python/venv/bin/python python/bench/threads_bench.py [SECONDS]

Each case runs the shipped landfill example in memory, first on one thread, then on two
threads at once doing the same work each; the speed-up is two threads' runs per second over
one thread's. The best of five alternating rounds counts. Other work on the machine takes
processors from the threads, so the load average is printed, and hashlib's hashing of large
buffers (which runs without the GIL) shows what two threads can gain at the time; so is the
share of a run's time that vorn.run spends beside the engine, which bounds the speed-up
whatever the load.
"""

import hashlib
import os
import sys
import threading
import time
from pathlib import Path

import vorn

EXAMPLE = Path(__file__).resolve().parents[2] / "examples" / "landfill"
TEXT = (EXAMPLE / "VORN.IN").read_bytes()


BLOCK = bytes(1 << 20)


def hash_blocks(count):
    # hashlib lets go of the GIL for large buffers: what two threads can get on this machine.
    for _ in range(count):
        hashlib.sha256(BLOCK).digest()


def run_texts(count):
    for _ in range(count):
        vorn.run(text=TEXT)


def run_texts_with_frames(count):
    for _ in range(count):
        vorn.run(text=TEXT).chemicals


def run_many(count):
    vorn.run_many([EXAMPLE] * count, threads=1)


def seconds_per_call(call, count=2000):
    start = time.perf_counter()
    for _ in range(count):
        call()
    return (time.perf_counter() - start) / count


def seconds_on(threads, work, count):
    workers = [threading.Thread(target=work, args=(count,)) for _ in range(threads)]
    start = time.perf_counter()
    for w in workers:
        w.start()
    for w in workers:
        w.join()
    return time.perf_counter() - start


def main():
    budget = float(sys.argv[1]) if len(sys.argv) > 1 else 1.0
    print(f"load average before: {os.getloadavg()[0]:.2f}, processors: {os.cpu_count()}")
    for name, work in [("hashlib.sha256 (reference)", hash_blocks),
                       ("vorn.run(text=...)", run_texts),
                       ("vorn.run(text=...).chemicals", run_texts_with_frames),
                       ("vorn.run_many(paths, threads=1)", run_many)]:
        start = time.perf_counter()
        work(20)
        count = max(20, int(budget * 20 / (time.perf_counter() - start)))
        # Rounds alternate, so that other work on the machine weighs on both alike.
        rounds = [(seconds_on(1, work, count), seconds_on(2, work, count)) for _ in range(5)]
        one = min(r[0] for r in rounds)
        two = min(r[1] for r in rounds)
        print(f"{name:34s} {count / one:8.0f} runs/s on 1 thread, {2 * count / two:8.0f} on 2: "
              f"{2 * one / two:.2f}x")
    # A call without runs costs what vorn adds around the engine's work with the GIL held (its
    # checks, the call, the wrappers): two threads can give at most 2 / (1 + share).
    share = (seconds_per_call(lambda: vorn.run_many([]))
             / seconds_per_call(lambda: vorn.run(text=TEXT)))
    print(f"vorn beside the engine's work: {100 * share:.1f} % of a run "
          f"(two threads at most {2 / (1 + share):.2f}x)")
    print(f"load average after: {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
