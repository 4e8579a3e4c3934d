// The scenario editor's preview against closed forms: for one parameter set of every family
// in the engine's family table, the density at each bin's middle against the family's
// density written out here, the bins' densities summing to the probability they cover, the
// median and the mean; a family the table gains without a case here fails the test. The
// parameter names the table gives are the ones the scenario reader takes.
import assert from "node:assert/strict";
import { existsSync } from "node:fs";
import { createRequire } from "node:module";
import { test } from "node:test";

import type { DistributionPreview, EngineModule } from "../src/engine_types";

const engine_path = process.env.VORN_ENGINE ?? "";
const skip_reason = !engine_path || !existsSync(engine_path)
  ? `the engine module is not built (${engine_path || "VORN_ENGINE unset"}): scripts/web builds it`
  : false;

const kBins = 400;
const kRoot2Pi = Math.sqrt(2 * Math.PI);

interface Case {
  dist: string;
  // The density at x inside the support, or for a discrete case the mass at each value.
  density?: (x: number) => number;
  masses?: Map<number, number>;
  median: number;
  mean: number;
  log_scale: boolean;
}

const kCases: Record<string, Case> = {
  constant: { dist: "{ type = \"constant\", value = 5 }", masses: new Map([[5, 1]]), median: 5, mean: 5, log_scale: false },
  uniform: { dist: "{ type = \"uniform\", min = 2, max = 6 }", density: () => 0.25, median: 4, mean: 4, log_scale: false },
  loguniform: {
    dist: "{ type = \"loguniform\", min = 1, max = 1e3 }",
    density: (x) => 1 / (x * Math.log(1000)),
    median: Math.sqrt(1000),
    mean: 999 / Math.log(1000),
    log_scale: true,
  },
  triangular: {
    dist: "{ type = \"triangular\", min = 0, mode = 1, max = 2 }",
    density: (x) => (x < 1 ? x : 2 - x),
    median: 1,
    mean: 1,
    log_scale: false,
  },
  // A PERT of shape 4 on [0, 1] with its mode in the middle is the beta of 3 and 3.
  pert: {
    dist: "{ type = \"pert\", min = 0, mode = 0.5, max = 1, lambda = 4 }",
    density: (x) => 30 * x * x * (1 - x) * (1 - x),
    median: 0.5,
    mean: 0.5,
    log_scale: false,
  },
  normal: {
    dist: "{ type = \"normal\", mean = 0, sd = 1 }",
    density: (x) => Math.exp((-x * x) / 2) / kRoot2Pi,
    median: 0,
    mean: 0,
    log_scale: false,
  },
  lognormal: {
    dist: `{ type = "lognormal", gm = 1, gsd = ${Math.E} }`,
    density: (x) => Math.exp(-(Math.log(x) ** 2) / 2) / (x * kRoot2Pi),
    median: 1,
    mean: Math.exp(0.5),
    log_scale: true,
  },
  beta: {
    dist: "{ type = \"beta\", alpha = 2, beta = 2 }",
    density: (x) => 6 * x * (1 - x),
    median: 0.5,
    mean: 0.5,
    log_scale: false,
  },
  // Shape 1: the exponential of mean 2, for both.
  gamma: {
    dist: "{ type = \"gamma\", shape = 1, scale = 2 }",
    density: (x) => Math.exp(-x / 2) / 2,
    median: 2 * Math.LN2,
    mean: 2,
    log_scale: true,
  },
  weibull: {
    dist: "{ type = \"weibull\", shape = 1, scale = 2 }",
    density: (x) => Math.exp(-x / 2) / 2,
    median: 2 * Math.LN2,
    mean: 2,
    log_scale: true,
  },
  empirical: {
    dist: "{ type = \"empirical\", values = [3, 1, 2, 2] }",
    masses: new Map([[1, 0.25], [2, 0.5], [3, 0.25]]),
    median: 2,
    mean: 2,
    log_scale: false,
  },
};

function close(actual: number, expected: number, relative: number, what: string): void {
  const scale = Math.max(Math.abs(expected), 1e-300);
  assert.ok(Math.abs(actual - expected) <= relative * scale, `${what}: ${actual}, expected ${expected}`);
}

function check_case(name: string, c: Case, p: DistributionPreview): void {
  assert.equal(p.ok, true, `${name}: ${JSON.stringify(p.problems)}`);
  assert.equal(p.family, name);
  assert.equal(p.logScale, c.log_scale, `${name}: log scale`);
  close(p.percentiles!.find((q) => q.p === 50)!.x, c.median, 1e-9, `${name}: median`);
  close(p.mean!, c.mean, 1e-12, `${name}: mean`);
  const bins = p.bins!;
  if (c.masses) {
    assert.equal(p.discrete, true, `${name}: discrete`);
    assert.deepEqual(bins.map((b) => [b.from, b.to, b.density]), [...c.masses].map(([x, m]) => [x, x, m]));
    return;
  }
  assert.equal(p.discrete, false, `${name}: discrete`);
  assert.equal(bins.length, kBins);
  let covered = 0;
  for (const b of bins) {
    const middle = b.from + (b.to - b.from) / 2;
    close(b.density, c.density!(middle), 1e-9, `${name}: density at ${middle}`);
    covered += b.density * (b.to - b.from);
  }
  // The bins span the quantiles 0.001 to 0.999; the middle rule over 400 of them.
  close(covered, 0.998, 1e-3, `${name}: probability the bins cover`);
}

test("the preview's density and percentiles are every family's own", { skip: skip_reason }, async () => {
  const create = createRequire(import.meta.url)(engine_path) as () => Promise<EngineModule>;
  const engine = await create();
  const families = engine.distributionFamilies();
  assert.deepEqual(families.map((f) => f.name).sort(), Object.keys(kCases).sort());
  for (const { name } of families) check_case(name, kCases[name], engine.distributionPreview(kCases[name].dist, kBins));
});

test("the families' parameters are those the scenario reader takes", { skip: skip_reason }, async () => {
  const create = createRequire(import.meta.url)(engine_path) as () => Promise<EngineModule>;
  const engine = await create();
  const families = engine.distributionFamilies();
  const all_keys = new Set(families.flatMap((f) => f.keys));
  for (const { name, keys } of families) {
    assert.ok(keys.length > 0, `${name} reads no parameter`);
    // Each key of another family that this one does not read is refused, by its name.
    for (const other of all_keys) {
      if (keys.includes(other)) continue;
      const dist = kCases[name].dist.replace(/ }$/, `, ${other} = 1 }`);
      const p = engine.distributionPreview(dist, 10);
      assert.equal(p.ok, false, `${name} takes ${other}`);
      assert.ok(p.problems!.some((m) => m.includes(other)), `${name} with ${other}: ${JSON.stringify(p.problems)}`);
    }
  }
  // Parameters out of range come back as the reader's problems, not as a preview.
  const bad = engine.distributionPreview("{ type = \"normal\", mean = 0, sd = -1 }", 10);
  assert.equal(bad.ok, false);
  assert.ok(bad.problems!.length > 0 && bad.problems!.every((m) => m.length > 0));
});
