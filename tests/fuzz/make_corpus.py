#!/usr/bin/env python3
"""Builds the seed corpus of the fuzz targets from the examples and the tests' inputs.

usage: tests/fuzz/make_corpus.py [TARGET...]   (rewrites tests/fuzz/corpus/<target>/, all
       targets when none is named)
Each seed is named by the SHA-1 of its bytes, as libFuzzer names the inputs it keeps. The
part seeds are written by a vorn program: $VORN, or build/vorn.
"""
import os
import re
import subprocess
import tempfile
import hashlib
import math
import pathlib
import shutil
import struct
import sys

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
SITE = "1\nLF\n1.0E-5\n1.0\n10000\n0\n20\n0\n"
BENZENE = ("0.005 0.055 0.0273 0.004 0.03 5.2 1820 0.5 5.55e-3 9.8e-6 0.088 1750 0 0 0.7 0.015 "
           "0.29 0.051 1 -1 0.13 C 78.11 0.125 -1 2.13").split()


def vorn_in(properties, concentrations, daf_rows, count=None, site=SITE):
    n = len(properties) if count is None else count
    return (site + f"{n}\nChemicalName @ CAS ...\n" + "".join(p + "\n" for p in properties) +
            "TCLP FLAG TOTC FLAG\n" + "".join(c + "\n" for c in concentrations) +
            "CHEMCAS LFCONC LFCAR LFNON SICONC SICAR SINON\n" + "".join(d + "\n" for d in daf_rows))


def prop(name, cas, values):
    return f"{name} @ {cas} " + " ".join(values)


def with_field(values, **changes):
    names = ["MCL", "CSFO", "CSFI", "ORDO", "ORDI", "BCF", "SOILST", "TOXC", "HENRY", "DIFFW",
             "DIFFA", "SOL", "DAFLF", "DAFSI", "TSTAR", "KPW", "TAU", "BUNGE", "ORGANIC", "BAF",
             "ECOCHRON", "CARC", "MW", "VP", "KDSW", "LOGKOW"]
    out = list(values)
    for name, value in changes.items():
        out[names.index(name)] = value
    return out


def whole_run_seeds():
    seeds = [(ROOT / "examples/landfill/VORN.IN").read_bytes()]
    for ref in ("landfill", "impoundment"):
        seeds.append((ROOT / f"tests/data/reference/{ref}/VORN.IN").read_bytes())
    example = seeds[0].decode("latin-1")
    seeds.append(example.replace("\n", "\r\n").encode("latin-1"))
    inorganic = with_field(BENZENE, ORGANIC="0")
    every = lambda x, org: [x] * 18 + [org, x, x, "C", x, x, x, x]
    texts = [
        "",
        vorn_in([prop("A", "1-1-1", BENZENE)] * 3, ["1 N 1 N"] * 3, [], count=2000000000),
        vorn_in([prop("AllNaN", "111-11-1", every("NaN", "1")),
                 prop("AllInf", "222-22-2", every("Infinity", "0"))],
                ["NaN N NaN N", "Infinity N inf N"], []),
        vorn_in([prop("A", "1-1-1", inorganic)], ["1 N 1 N"],
                [f"1-1-1 {k + 1} 2 3 1 2 3" for k in range(51)]),
        vorn_in([prop("A", "1-1-1", BENZENE[:20])], ["1 N 1 N"], []),
        vorn_in([prop("A", "1-1-1", BENZENE)], ["1 N 1 N"], []).replace(
            "CHEMCAS LFCONC LFCAR LFNON SICONC SICAR SINON\n", ""),
        vorn_in([prop("A", "1-1-1", inorganic)], ["1 N 1 N"],
                ["1-1-1 0.1 10 10 0.1 1 1", "1-1-1 NaN 20 20 1 1 1", "1-1-1 10 30 30 1 1 1"]),
        vorn_in([prop("A", "1-1-1", with_field(inorganic, MCL="1", CSFO="-1", CSFI="-1", ORDO="-1",
                                               ORDI="-1"))],
                ["0.5 N 1 N"],
                ["1-1-1 1 10 10 1 1 1", "1-1-1 2 NaN NaN 1 1 1", "1-1-1 100 10 10 1 1 1"]),
        vorn_in([], [], [], site=SITE.replace("LF", "SI")),
        vorn_in([prop("'Quoted, name'", "\"50-00-0\"", with_field(BENZENE, CARC="'x y'"))],
                [",N,,/"], ["'50-00-0' 1 2 3 / ignored"]),
    ]
    return seeds + [t.encode("latin-1") for t in texts]


def free_form_seeds(run_seeds):
    INTEGER, REAL, TEXT = 0, 1, 2

    def header(mode, kinds, width):
        packed = 0
        for k, kind in enumerate(kinds):
            packed |= kind << (2 * k)
        return bytes([(mode << 3) | (len(kinds) - 1), packed & 0xFF, packed >> 8, width - 1])

    lists = [
        (0, [INTEGER]), (0, [TEXT]), (0, [REAL, REAL]), (1, [REAL]),
        (2, [TEXT] + [REAL] * 6), (2, [TEXT, REAL, TEXT, REAL]), (3, [INTEGER, REAL]),
        (0, [REAL, TEXT, REAL, TEXT]), (2, [TEXT] + [REAL] * 7),
    ]
    seeds = []
    for k, seed in enumerate(run_seeds):
        mode, kinds = lists[k % len(lists)]
        seeds.append(header(mode, kinds, 20) + seed)
    lines = [b"10000, 20\n", b"1.5\n2.5 3.5\n", b"'it''s' \"a,b\" c/d\n", b"5,,7\n5 /\n",
             b"1.0d-10 -.5 +5. 1.E3 nan -Infinity\n", b"2147483647 -2147483648 2147483648\n",
             b"3*1.0 1.0+5 'ab'cd\n", b"'open\ncontinued' next\n", b"\t,1\r\n"]
    for k, text in enumerate(lines):
        mode, kinds = lists[k % len(lists)]
        seeds.append(header(mode, kinds, 1 + k * 4) + text)
    return seeds


def log_line_seeds():
    values = [0.0, -0.0, 1.0, 0.1, 1.0e-5, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308,
              math.inf, -math.inf, math.nan, 15.100000381469727, 3.180000066757202, 1.0e30,
              0.2777777777777778, 123456789012345680.0, 1.0e16, 9.999999999999999e15, 1.0e-4,
              9.99999999999e-5]
    seeds = []
    for k in range(0, len(values), 6):
        chunk = (values[k:k + 6] + [0.0] * 6)[:6]
        seeds.append(struct.pack("<6di", *chunk, -k * 1000003))
    seeds.append(struct.pack("<i", 2147483647))
    return seeds


def stream_sheet_seeds():
    landfill = (ROOT / "tests/data/chemicals/landfill_stream.csv").read_bytes()
    unit = landfill.split(b"\n\n")[0] + b"\n"
    header = b"CAS,TCLPCONC,TCLPFLAG,TOTC,TOTFLAG"
    texts = [
        landfill,
        landfill.replace(b"\n", b"\r\n"),
        unit.replace(b"LF", b"SI") + b"f_oc,0.002\n\n" + header + b",RFCI,note\n"
        b"71-43-2,0.012,N,3.5,N,0.03,\"a note, quoted\"\n7440-43-9:water,1,N,1,N,,\n",
        unit + b"\n" + header + b",ORGANIC,CHEMNAME,CARCTYPE\n"
        b"E1790670,1,N,1,N,1,TPH high,N\n67-66-3,1,N,1,N,,,\n75-25-2,1,N,1,N,,,\n",
        unit + b",,,\n" + header + b",MCL,,\n71-43-2,1e-3,N,2,D,0.005,,\n",
        unit + b"\n" + header + b"\n7440-43-9,1,N,1,N\n71-43-3,1,N,1,N\n",
        unit + header + b"\n71-43-2,1,N,1,N\n",
        b"WU_SITEKEY,x\nWU_WMUTYPE,XX\nf_oc,2\n\n" + header + b",ORDI\n",
    ]
    return texts


def library_file_seeds():
    library = (ROOT / "data/chemicals/library.csv").read_bytes().split(b"\n")
    tables = ROOT / "data/chemicals"
    texts = [
        b"\n".join(library[:60]) + b"\n",
        b"\n".join(library[:1] + library[-14:]),
        b"\n".join(library[:1] + [line for line in library if line.startswith(b"7440-43-9,")]),
        b"\n".join(library[:1] + [b'71-43-2,,CHEMNAME,"Benzene, ""pure""",,,T,D,,,,',
                                   b"71-43-2,,MW,78.11,g/mol,X,T,D,,,78.1,U",
                                   b"71-43-3,,MW,1,g/mol,X,T,D,,,,",
                                   b"71-43-2,,MW,1,kg,X,T,D,,,,"]),
    ]
    for name in ("ParametersSummary.csv", "ToxSummary.csv", "CHEM_DATA.csv",
                 "toxicity_characteristic.csv"):
        lines = (tables / name).read_bytes().split(b"\n")
        texts.append(b"\n".join(lines[:40]) + b"\n")
    return texts


SOURCES_HEADER = (b"index,CHEMCAS,variant,CHEMNAME,field,value,unit,origin,library,source,table,"
                  b"date,derivation,note,action,pathways")
RECORD_FIELDS = ("MCL CSFO CSFI ORDO RFCI BCF SOILST TOX_C HENRY DIFFW DIFFA SOL DAFLF DAFSI TSTAR "
                 "KPW TAU BUNGE ORGANIC BAF ECOCHRON CARCTYPE MW VP KDSW LOGKOW").split()


def sources_rows(index, cas, name, values, concentrations=("0.012", "N", "3.5", "N")):
    """The rows a fill writes for one chemical: its name, the 26 values, the concentrations."""
    def row(field, value, origin="library", note=""):
        return (f'{index},{cas},,"{name}",{field},{value},,{origin},compiled snapshot,I,'
                f'RSL summary table,May 2017,,{note},,').encode()
    rows = [row("CHEMNAME", name)]
    rows += [row(f, v) for f, v in zip(RECORD_FIELDS, values)]
    rows += [row(f, v, "user", '"a note, quoted"')
             for f, v in zip(("TCLPCONC", "TCLPFLAG", "TOTC", "TOTFLAG"), concentrations)]
    return rows


def run_sources_seeds():
    benzene = sources_rows(1, "71-43-2", "Benzene", BENZENE)
    arsenic = sources_rows(2, "7440-38-2", "Arsenic, Inorganic",
                           [v if k != 22 else "74.922" for k, v in enumerate(BENZENE)],
                           ("0.02", "n", "50", "D"))
    whole = b"\r\n".join([SOURCES_HEADER] + benzene + arsenic) + b"\r\n"
    return [
        whole,
        whole.replace(b"\r\n", b"\n"),
        b"\n".join([SOURCES_HEADER] + arsenic[:5]) + b"\n",
        b"\n".join([SOURCES_HEADER] + benzene + [benzene[3]]),
        b"\n".join([SOURCES_HEADER] + benzene).replace(b",MW,78.11,", b",MW,NaN,"),
        b"\n".join([SOURCES_HEADER, b"0,71-43-2,,B,MW,1,,,,,,,,,,"]),
        b"\n".join([SOURCES_HEADER] + benzene).replace(b",VP,", b",VQ,"),
        b"index,CAS\n1,71-43-2\n",
    ]


SMALL_SCENARIO = """input = "VORN.IN"
realizations = 8
seed = 7
sampling = "lhs"
percentiles = [5, 50, 95]

[[vary]]
field = "WU_WASTEVOL"
dist = { type = "triangular", min = 4000, mode = 6000, max = 9000 }

[[vary]]
chemical = "each"
field = "TCLPCONC"
mode = "factor"
dist = { type = "lognormal", gm = 1.0, gsd = 1.8 }
"""
CORRELATED = """
[[vary]]
field = "WU_ACTLIFE"
dist = { type = "uniform", min = 15, max = 25 }

[[correlate]]
a = { field = "WU_WASTEVOL" }
b = { field = "WU_ACTLIFE" }
spearman = -0.5
"""
UNCERTAIN = """
[[vary]]
chemical = "*"
field = "DAF"
mode = "factor"
kind = "uncertainty"
dist = { type = "uniform", min = 0.5, max = 2 }
"""


def small_scenarios():
    nested = SMALL_SCENARIO.replace("realizations = 8", "outer = 2\ninner = 4") + UNCERTAIN
    return {"mc": SMALL_SCENARIO + CORRELATED, "nested": nested, "sobol": SMALL_SCENARIO}


def scenario_seeds():
    seeds = [p.read_bytes() for p in sorted((ROOT / "examples/montecarlo").glob("*.toml"))]
    seeds += [text.encode() for text in small_scenarios().values()]
    hostile = sorted((ROOT / "tests/mc/hostile").glob("*.toml"))
    return seeds + [p.read_bytes() for p in hostile[::3]]


def part_seeds():
    """Parts of every kind over two chemicals of the landfill example, each as written and
    without its digest (the target seals such bytes itself)."""
    vorn = os.environ.get("VORN", str(ROOT / "build/vorn"))
    lines = (ROOT / "examples/landfill/VORN.IN").read_text().split("\n")
    # The site, two chemicals (benzene, arsenic), their concentrations and DAF rows.
    small = lines[:8] + ["2"] + lines[9:11] + [lines[15], lines[20], lines[21], lines[26]]
    small += [line for line in lines[31:] if line.startswith(("CHEMCAS", "71-43-2", "7440-38-2"))]
    runs = [("mc", ["--shard", "1/1"]), ("mc", ["--shard", "2/3"]),
            ("nested", ["--shard", "1/1"]), ("nested", ["--shard", "1/2"]),
            ("sobol", ["--sobol", "--base-samples", "4", "--shard", "1/1"]),
            ("sobol", ["--sobol", "--base-samples", "4", "--shard", "2/2"])]
    seeds = []
    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        (work / "VORN.IN").write_text("\n".join(small) + "\n")
        for name, text in small_scenarios().items():
            (work / (name + ".toml")).write_text(text)
        for k, (name, options) in enumerate(runs):
            part = work / f"{k}.part"
            subprocess.run([vorn, "mc", str(work / (name + ".toml")), *options, "--part",
                            str(part), "--threads", "1"], check=True, capture_output=True)
            sealed = part.read_bytes()
            seeds += [sealed, re.sub(rb',"sha256":"[0-9a-f]{64}"\}\n$', b"}", sealed)]
    return seeds


def manifest_seeds():
    return [b"path\nlandfill\nimpoundment/VORN.IN\n",
            b'label,path,note\n"Plant A, cell 2",a/cell2,first\n,b,"quoted ""x"""\nlast,/abs/VORN.IN,\n',
            b"path,label\r\n./x,X\r\n../y,\r\n",
            b"path,label\nx\n",
            b"label\nx\n"]


def write(target, seeds):
    directory = HERE / "corpus" / target
    shutil.rmtree(directory, ignore_errors=True)
    directory.mkdir(parents=True)
    for seed in seeds:
        (directory / hashlib.sha1(seed).hexdigest()).write_bytes(seed)


def main(targets):
    builders = {
        "whole_run": whole_run_seeds,
        "free_form": lambda: free_form_seeds(whole_run_seeds()),
        "log_line": log_line_seeds,
        "stream_sheet": stream_sheet_seeds,
        "library_file": library_file_seeds,
        "run_sources": run_sources_seeds,
        "scenario": scenario_seeds,
        "part": part_seeds,
        "manifest": manifest_seeds,
    }
    for target in targets or builders:
        write(target, builders[target]())


if __name__ == "__main__":
    main(sys.argv[1:])
