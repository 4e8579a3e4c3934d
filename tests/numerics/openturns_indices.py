"""Recomputes first-order and total Sobol indices with OpenTURNS: the Mauntz-Kucherenko
estimator of the first-order index (Saltelli's 2010 form) and Jansen's of the total index.

usage: openturns_indices.py DESIGN.csv BASE_ROWS
DESIGN.csv has one line per evaluation, x_1 ... x_d then y, laid out [A; B; A_B^1 ...
A_B^d]. Prints the first-order indices on one line and the total indices on the next.
"""
import sys

import openturns as ot


def main():
    path, base_rows = sys.argv[1], int(sys.argv[2])
    sample = ot.Sample.ImportFromCSVFile(path, ",")
    d = sample.getDimension() - 1
    inputs = sample.getMarginal(list(range(d)))
    output = sample.getMarginal([d])
    first = ot.MauntzKucherenkoSensitivityAlgorithm(inputs, output, base_rows)
    total = ot.JansenSensitivityAlgorithm(inputs, output, base_rows)
    print(" ".join(repr(v) for v in first.getFirstOrderIndices()))
    print(" ".join(repr(v) for v in total.getTotalOrderIndices()))


if __name__ == "__main__":
    main()
