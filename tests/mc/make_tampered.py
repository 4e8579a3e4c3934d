#!/usr/bin/env python3
"""Writes the tampered parts of tests/mc/tampered/ from small parts of the shipped scenarios.

usage: tests/mc/make_tampered.py VORN   (the vorn program to write the parts with)

Each file is a part with one thing wrong. Most are sealed again with a correct SHA-256, so
that the reader's checks of the counts, not the digest, must find them; the table of
tests/robustness/mc_hostile_files_test.cpp says what each must be refused for. Run it again
when a part kind's version changes.
"""
import copy
import hashlib
import json
import pathlib
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
SCENARIOS = HERE.parent.parent / "examples" / "montecarlo"
OUT = HERE / "tampered"


def compact(doc):
    return json.dumps(doc, separators=(",", ":"), ensure_ascii=False, allow_nan=False)


def sealed(doc):
    """The part's text with the SHA-256 of its compact JSON as the last key."""
    doc = {k: v for k, v in doc.items() if k != "sha256"}
    text = compact(doc)
    digest = hashlib.sha256(text.encode()).hexdigest()
    return text[:-1] + ',"sha256":"' + digest + '"}\n'


def make_parts(vorn, work):
    runs = {
        "mc": ["scenario.toml", "--realizations", "4", "--shard", "1/1"],
        "mc_second": ["scenario.toml", "--realizations", "8", "--shard", "2/2"],
        "nested": ["nested.toml", "--outer", "2", "--inner", "4", "--shard", "1/1"],
        "sobol": ["scenario.toml", "--sobol", "--base-samples", "4", "--shard", "1/1"],
    }
    parts = {}
    for name, (scenario, *options) in runs.items():
        path = work / (name + ".part")
        subprocess.run([vorn, "mc", str(SCENARIOS / scenario), *options, "--part", str(path),
                        "--threads", "1"], check=True, capture_output=True)
        parts[name] = json.loads(path.read_text())
    return parts


def tampered(parts):
    """(file name, text) of each tampered part."""
    def edit(kind, change, seal=True):
        doc = copy.deepcopy(parts[kind])
        change(doc)
        return sealed(doc) if seal else compact(doc) + "\n"

    def chem(doc, i=0):
        return doc["state"]["chemicals"][i]

    def setter(path_fn, key, value):
        def change(doc):
            path_fn(doc)[key] = value
        return change

    mc = "mc"
    yield "digest_wrong.part", sealed(parts[mc]).replace('"exceeded":0', '"exceeded":1', 1)
    yield "digest_missing.part", compact({k: v for k, v in parts[mc].items()
                                          if k != "sha256"}) + "\n"
    yield "digest_not_last.part", edit(mc, lambda d: d.update(extra=1), seal=False)
    yield "version_old.part", edit(mc, setter(lambda d: d, "version", 2))
    yield "truncated.part", sealed(parts[mc])[:5000]
    yield "count_negative.part", edit(mc, setter(chem, "completed", -1))
    yield "count_fraction.part", edit(mc, setter(chem, "exceeded", 2.5))
    yield "count_huge.part", edit(mc, setter(lambda d: d, "realizations", 1e20))
    yield "exceeded_beyond_completed.part", edit(mc, setter(chem, "exceeded", 10000))
    yield "gw_exceeded_beyond_completed.part", edit(mc, setter(chem, "gw_exceeded", 5))
    yield "limit_shares_off.part", edit(mc, setter(chem, "gw_limit", [0, 0, 0, 1, 4]))
    yield "failures_off.part", edit(mc, setter(chem, "failures", [1] + [0] * 10))
    yield "failure_kinds_short.part", edit(mc, setter(chem, "failures", [0] * 3))

    def nan_counted(doc):
        q = chem(doc)["quantities"][0]
        q["sketch"] = q["sketch"].replace(";nan=0;", ";nan=1;", 1)
    yield "quantity_counts_off.part", edit(mc, nan_counted)

    def above(doc):
        chem(doc)["quantities"][0]["above"] = 9
    yield "above_beyond_values.part", edit(mc, above)

    def sketch_total(doc):
        q = chem(doc)["quantities"][0]
        q["sketch"] = q["sketch"].replace("n=4;", "n=5;")
    yield "sketch_total_off.part", edit(mc, sketch_total)

    def sketch_bucket(doc):
        q = chem(doc)["quantities"][0]
        q["sketch"] = q["sketch"].replace("pos=-", "pos=-9", 1)
    yield "sketch_bucket_outside.part", edit(mc, sketch_bucket)

    def stream(doc):
        q = doc["state"]["stream_risk"]
        q["sketch"] = q["sketch"].replace(";inf=0;", ";inf=1;", 1)
    yield "stream_counts_off.part", edit(mc, stream)

    def unit_failed(doc):
        doc["state"]["unit_failed"] = 1
    yield "unit_failed_off.part", edit(mc, unit_failed)

    def short_block(doc):
        block = doc["state"]["blocks"]["0"]
        for key in ("tclpmax", "sfmax", "completed", "exceeded"):
            block[key] = block[key][:-1]
    yield "block_short.part", edit(mc, short_block)

    def block_key(doc):
        doc["state"]["blocks"]["64"] = doc["state"]["blocks"].pop("2")
    yield "block_key_outside.part", edit(mc, block_key)

    def block_outside(doc):
        blocks = doc["state"]["blocks"]
        blocks["1"] = copy.deepcopy(blocks["3"])
    yield "block_outside_shard.part", edit("mc_second", block_outside)

    def block_completed(doc):
        doc["state"]["blocks"]["0"]["completed"][0] = 2
    yield "block_completed_beyond.part", edit(mc, block_completed)

    def block_missing(doc):
        del doc["state"]["blocks"]["1"]
    yield "block_missing.part", edit(mc, block_missing)

    def shard_negative(doc):
        doc["shards"][0]["first"] = -1
    yield "shard_negative.part", edit(mc, shard_negative)

    def share(doc):
        doc["records"][0]["values"][5] = 1.5
    yield "nested_share_outside.part", edit("nested", share)
    yield "nested_digest_wrong.part", sealed(parts["nested"]).replace('"inner":4', '"inner":5', 1)
    yield "nested_version_old.part", edit("nested", setter(lambda d: d, "version", 1))
    yield "sobol_rows_negative.part", edit("sobol", setter(lambda d: d, "base_rows", -4))

    def sobol_record(doc):
        doc["rows"][0]["row"] = -1
    yield "sobol_record_negative.part", edit("sobol", sobol_record)


def main():
    vorn = sys.argv[1]
    OUT.mkdir(exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        parts = make_parts(vorn, pathlib.Path(work))
    for name, text in tampered(parts):
        (OUT / name).write_text(text)


if __name__ == "__main__":
    main()
