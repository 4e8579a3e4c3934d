// Probabilistic runs in the WebAssembly engine against the native program: the shipped
// scenarios run whole and as 2 and 4 shards merged (as the page's workers run them), a
// nested run, a Sobol design and a correlated scenario. Every part and document is
// identical, or apart only in numbers within kMaxUlps, each such number listed; the merged
// documents are the same whatever the number of shards.
//
// Environment: VORN_ENGINE, VORN_CLI, VORN_SOURCE_DIR (see engine_bytes.test.ts).
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { createHash } from "node:crypto";
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";

import { compare_texts } from "./byte_compare";
import type { EngineModule, McOptions } from "../src/engine_types";

// A part without its closing SHA-256, which must be that of these bytes, and without its sums of
// rounding errors.
function unsealed(what: string, part: Uint8Array): Uint8Array {
  const text = Buffer.from(part).toString("latin1");
  const seal = /,"sha256":"([0-9a-f]{64})"\}\n$/.exec(text);
  assert.ok(seal, `${what}: no SHA-256 at its end`);
  const covered = Buffer.from(text.slice(0, seal.index) + "}", "latin1");
  assert.equal(createHash("sha256").update(covered).digest("hex"), seal[1], `${what}: its SHA-256 is not that of its bytes`);
  // "e2" sums the squares' rounding errors, which a square one ULP apart changes entirely;
  // the documents' sd, made from it, is compared within the ULPs.
  return new Uint8Array(Buffer.from(covered.toString("latin1").replace(/"e2":"[^"]*",?/g, ""), "latin1"));
}

// As in engine_bytes.test.ts: the C libraries' last bits, amplified by the DAF curves.
const kMaxUlps = 16n;
// Jansen's estimators of a Sobol design take differences f(A) - f(A_B) of evaluations that
// are nearly equal where an input matters little: the last bits in which evaluations differ
// become a larger share of the difference and of the small index it makes, so indices are
// held to 1e-12 absolutely (their scale is 1), not in ULP.
const kSobolAbsolute = 1e-12;
// The pages' date: SOURCE_DATE_EPOCH for the program, the same day for the module.
const kEpoch = "1704153600";
const kDate = "2024-01-02";

const engine_path = process.env.VORN_ENGINE ?? "";
const cli = process.env.VORN_CLI ?? "";
const source = process.env.VORN_SOURCE_DIR ?? "";

interface McCase {
  name: string;
  scenario: string;  // under examples/montecarlo, or the text of one (with "input = @INPUT@")
  options: McOptions;
  args: string[];  // the same options for `vorn mc`
  shards: number[];
}

// Every family through Boost.Math's double-only policy (the gamma functions among them) and
// the closed forms, on inputs of the landfill example.
const kFamilies = `input = "@INPUT@"
realizations = 2000
seed = 7
sampling = "random"

[[vary]]
field = "WU_WASTEVOL"
dist = { type = "gamma", shape = 4.0, scale = 1500.0, min = 1000 }

[[vary]]
field = "WU_ACTLIFE"
dist = { type = "weibull", shape = 2.5, scale = 20.0 }

[[vary]]
chemical = "each"
field = "TCLPCONC"
mode = "factor"
dist = { type = "pert", min = 0.2, mode = 1.0, max = 4.0 }

[[vary]]
chemical = "*"
field = "DAF"
mode = "factor"
dist = { type = "beta", alpha = 2.0, beta = 5.0, min = 0.3, max = 3.0 }

[[vary]]
chemical = "71-43-2"
field = "HENRY"
dist = { type = "normal", mean = 0.00555, sd = 0.002, min = 0.001 }

[[vary]]
chemical = "each"
field = "TOTC"
mode = "factor"
dist = { type = "loguniform", min = 0.1, max = 10.0 }
`;

const kCases: McCase[] = [
  { name: "families", scenario: kFamilies, options: {}, args: [], shards: [1, 2] },
  { name: "shipped", scenario: "scenario.toml", options: {}, args: [], shards: [1, 2, 4] },
  { name: "correlated", scenario: "correlated.toml", options: {}, args: [], shards: [1, 2, 4] },
  {
    name: "nested",
    scenario: "nested.toml",
    options: { outer: 12, inner: 200 },
    args: ["--outer", "12", "--inner", "200"],
    shards: [1, 2, 4],
  },
  {
    name: "sobol",
    scenario: "scenario.toml",
    options: { sobol: 256 },
    args: ["--sobol", "--base-samples", "256"],
    shards: [1, 2],
  },
];

interface Documents {
  json: Uint8Array;
  csv: Uint8Array;
  html: Uint8Array;
}

function scenario_text(c: McCase): string {
  return c.scenario.includes("\n")
    ? c.scenario.replace("@INPUT@", join(source, "examples", "landfill", "VORN.IN"))
    : readFileSync(join(source, "examples", "montecarlo", c.scenario), "utf8");
}

function run_native(c: McCase, shard: string | null, dir: string): Documents | Uint8Array {
  let scenario = join(source, "examples", "montecarlo", c.scenario);
  if (c.scenario.includes("\n")) {
    scenario = join(dir, "scenario.toml");
    writeFileSync(scenario, scenario_text(c));
  }
  const out = (f: string) => join(dir, f);
  const args = ["mc", scenario, ...c.args, "--threads", "1"];
  if (shard) args.push("--shard", shard, "--part", out("part.json"));
  else args.push("--json", out("mc.json"), "--csv", out("mc.csv"), "--html", out("mc.html"));
  const r = spawnSync(cli, args, { env: { ...process.env, SOURCE_DATE_EPOCH: kEpoch } });
  assert.equal(r.status, 0, `vorn ${args.join(" ")}: ${r.stderr}`);
  if (shard) return readFileSync(out("part.json"));
  return { json: readFileSync(out("mc.json")), csv: readFileSync(out("mc.csv")), html: readFileSync(out("mc.html")) };
}

const skip_reason = !engine_path || !existsSync(engine_path)
  ? `the engine module is not built (${engine_path || "VORN_ENGINE unset"}): scripts/web builds it`
  : !cli || !existsSync(cli)
    ? `the native program is not built (${cli || "VORN_CLI unset"})`
    : false;

test("probabilistic runs in the WebAssembly engine write the native program's bytes", { skip: skip_reason }, async () => {
  const create = createRequire(import.meta.url)(engine_path) as () => Promise<EngineModule>;
  const engine = await create();
  const input = readFileSync(join(source, "examples", "landfill", "VORN.IN"));
  const failures: string[] = [];
  const listed: string[] = [];
  const compare = (what: string, native: Uint8Array, wasm: Uint8Array, absolute = 0) => {
    const cmp = compare_texts(native, wasm, kMaxUlps, absolute);
    if (cmp.mismatch) failures.push(`${what}: ${cmp.mismatch}`);
    for (const d of cmp.differences)
      listed.push(`${what} at byte ${d.offset}: native ${d.native}, wasm ${d.wasm} (${d.ulps} ULP)`);
  };
  let runs = 0;
  for (const c of kCases) {
    const scenario = scenario_text(c);
    const dir = mkdtempSync(join(tmpdir(), "vorn-web-mc-"));
    try {
      const whole = run_native(c, null, dir) as Documents;
      let first: Documents | null = null;
      for (const k of c.shards) {
        const parts: Uint8Array[] = [];
        for (let i = 1; i <= k; ++i) {
          const r = engine.mcShard(scenario, input, c.options, i, k, () => {});
          assert.ok(r.ok, `${c.name} shard ${i}/${k}: ${r.message}`);
          parts.push(r.part!);
          ++runs;
          // Each shard's part against the program's part of the same shard. A part ends with
          // the SHA-256 of its other bytes, which the last bits of any number change: the
          // module's must seal its own bytes, and the rest is compared as numbers.
          if (k > 1)
            compare(`${c.name} part ${i}/${k}`, unsealed(`${c.name} native part ${i}/${k}`,
              run_native(c, `${i}/${k}`, dir) as Uint8Array), unsealed(`${c.name} part ${i}/${k}`, r.part!),
              c.options.sobol ? kSobolAbsolute : 0);
        }
        const d = engine.mcDocuments(parts, kDate);
        assert.ok(d.ok, `${c.name} ${k} shards: ${d.message}`);
        for (const [what, a, b] of [["JSON", whole.json, d.json], ["CSV", whole.csv, d.csv], ["page", whole.html, d.html]] as const)
          compare(`${c.name} ${what}, ${k} shard(s) merged`, a, b!, c.options.sobol ? kSobolAbsolute : 0);
        // Merging changes no byte: the module's own documents are one whatever K.
        if (first === null) first = { json: d.json!, csv: d.csv!, html: d.html! };
        else
          for (const key of ["json", "csv", "html"] as const)
            if (Buffer.compare(Buffer.from(first[key]), Buffer.from(d[key]!)) !== 0)
              failures.push(`${c.name}: the ${key} of ${k} shards merged differs from the whole run's`);
      }
    } finally {
      rmSync(dir, { recursive: true, force: true });
    }
  }
  console.log(`${kCases.length} scenarios, ${runs} shards run; numbers apart by at most ${kMaxUlps} ULP: ${listed.length}`);
  for (const line of listed) console.log(`  ${line}`);
  assert.deepEqual(failures, []);
});

test("a scenario that stops at a target precision runs on one worker, never in shards", { skip: skip_reason }, async () => {
  const create = createRequire(import.meta.url)(engine_path) as () => Promise<EngineModule>;
  const engine = await create();
  const shipped = readFileSync(join(source, "examples", "montecarlo", "scenario.toml"), "utf8");
  const precise = shipped.replace("decision_percentile = 90", "decision_percentile = 90\ntarget_precision = 0.5");
  assert.notEqual(precise, shipped);
  assert.equal(engine.mcPlan(shipped, {}).shardable, true);
  assert.equal(engine.mcPlan(precise, {}).shardable, false);
  const input = readFileSync(join(source, "examples", "landfill", "VORN.IN"));
  const sharded = engine.mcShard(precise, input, {}, 1, 2, () => {});
  assert.equal(sharded.ok, false);
  assert.match(sharded.message, /target precision cannot be split into shards/);
  const whole = engine.mcShard(precise, input, {}, 1, 1, () => {});
  assert.equal(whole.ok, true, whole.message);
});
