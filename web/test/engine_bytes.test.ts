// The WebAssembly engine against the native program: every input of the corpus is run by
// both. VORN.OUT, VORN.DBG and standard output must be identical; the JSON, the CSV and the
// page identical too, or apart only in numbers within kMaxUlps, each such number listed.
//
// Each build uses its own C library's exp, log, log10 and pow (glibc natively, musl in
// WebAssembly), which differ in the last bit for about 1 in 70 arguments of log10 and 1 in
// 1000 of pow and exp. The DAF curves are interpolated as 10^(log10 y0 + s log10 v): a
// 1-ULP difference of log10 y0 moves the result by ln(10) |log10 y0| ULP of the result,
// up to 10 ULP for DAFs of 10^4, and the slope adds its own. Hence 16 ULP, not fewer.
//
// Environment: VORN_ENGINE (the engine module, build-web/vorn_engine.js), VORN_CLI (the
// native program) and VORN_SOURCE_DIR (the checkout, for the corpus).
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";

import { compare_texts } from "./byte_compare";
import { generate_input, parse_example } from "./input_generator";
import type { EngineModule, RunResult } from "../src/engine_types";

const kMaxUlps = 16n;
const kGenerated = 240;
// The pages' date: SOURCE_DATE_EPOCH for the program, the same day for the module.
const kEpoch = "1704153600";
const kDate = "2024-01-02";

const engine_path = process.env.VORN_ENGINE ?? "";
const cli = process.env.VORN_CLI ?? "";
const source = process.env.VORN_SOURCE_DIR ?? "";

interface Case {
  name: string;
  input: Uint8Array;
}

function corpus(): Case[] {
  const cases: Case[] = [];
  const add_dir_inputs = (dir: string) => {
    for (const entry of readdirSync(dir, { recursive: true }) as string[])
      if (entry.endsWith("VORN.IN")) cases.push({ name: join(dir, entry), input: readFileSync(join(dir, entry)) });
  };
  add_dir_inputs(join(source, "examples"));
  add_dir_inputs(join(source, "tests", "data"));
  const seeds = join(source, "tests", "fuzz", "corpus", "whole_run");
  for (const f of readdirSync(seeds).sort())
    if (statSync(join(seeds, f)).isFile()) cases.push({ name: join(seeds, f), input: readFileSync(join(seeds, f)) });
  const examples = ["landfill", "impoundment"].map((e) =>
    parse_example(readFileSync(join(source, "examples", e, "VORN.IN"), "latin1")),
  );
  for (let seed = 1; seed <= kGenerated; ++seed)
    cases.push({ name: `generated input ${seed}`, input: Buffer.from(generate_input(examples, seed), "latin1") });
  return cases;
}

function read_optional(path: string): Uint8Array | null {
  return existsSync(path) ? readFileSync(path) : null;
}

// The native program's files and documents for one input, run in a fresh directory.
function run_native(input: Uint8Array): RunResult {
  const dir = mkdtempSync(join(tmpdir(), "vorn-web-"));
  try {
    writeFileSync(join(dir, "VORN.IN"), input);
    const docs = ["json", "csv", "html"].map((d) => join(dir, `results.${d}`));
    // Run in its directory, which the page's provenance then names "."; dated as the module's.
    const r = spawnSync(cli, [".", "--json", docs[0], "--csv", docs[1], "--html", docs[2]], {
      encoding: "buffer",
      cwd: dir,
      env: { ...process.env, SOURCE_DATE_EPOCH: kEpoch },
    });
    const empty = new Uint8Array();
    return {
      status: "",
      exitStatus: r.status ?? -1,
      message: empty,
      stdout: r.stdout,
      stderr: r.stderr,
      report: read_optional(join(dir, "VORN.OUT")),
      log: read_optional(join(dir, "VORN.DBG")) ?? empty,
      json: read_optional(docs[0]) ?? empty,
      csv: read_optional(docs[1]),
      html: read_optional(docs[2]) ?? empty,
    };
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

const skip_reason = !engine_path || !existsSync(engine_path)
  ? `the engine module is not built (${engine_path || "VORN_ENGINE unset"}): scripts/web builds it`
  : !cli || !existsSync(cli)
    ? `the native program is not built (${cli || "VORN_CLI unset"})`
    : false;

test("the WebAssembly engine writes the native program's bytes", { skip: skip_reason }, async () => {
  const create = createRequire(import.meta.url)(engine_path) as () => Promise<EngineModule>;
  const engine = await create();
  const cases = corpus();
  assert.ok(cases.length >= 200 + 13, `corpus of ${cases.length} inputs`);
  const listed: string[] = [];
  const failures: string[] = [];
  const statuses = new Map<number, number>();
  const distances: bigint[] = [];
  for (const c of cases) {
    const native = run_native(c.input);
    const wasm = engine.runInput(c.input, kDate, ".");
    statuses.set(native.exitStatus, (statuses.get(native.exitStatus) ?? 0) + 1);
    if (wasm.exitStatus !== native.exitStatus) {
      failures.push(`${c.name}: exit status ${wasm.exitStatus}, the program's ${native.exitStatus}`);
      continue;
    }
    const strict: [string, Uint8Array | null, Uint8Array | null][] = [
      ["VORN.OUT", native.report, wasm.report],
      ["VORN.DBG", native.log, wasm.log],
      ["standard output", native.stdout, wasm.stdout],
    ];
    for (const [what, a, b] of strict) {
      if ((a === null) !== (b === null)) failures.push(`${c.name}: ${what} written by one side only`);
      else if (a && b && Buffer.compare(Buffer.from(a), Buffer.from(b)) !== 0) failures.push(`${c.name}: ${what} differs`);
    }
    const near: [string, Uint8Array | null, Uint8Array | null][] = [
      ["JSON", native.json, wasm.json],
      ["CSV", native.csv, wasm.csv],
      ["HTML", native.html, wasm.html],
    ];
    for (const [what, a, b] of near) {
      if ((a === null) !== (b === null)) {
        failures.push(`${c.name}: ${what} written by one side only`);
        continue;
      }
      if (!a || !b) continue;
      const cmp = compare_texts(a, b, kMaxUlps);
      if (cmp.mismatch) failures.push(`${c.name}: ${what}: ${cmp.mismatch}`);
      for (const d of cmp.differences) distances.push(d.ulps);
      for (const d of cmp.differences)
        listed.push(`${c.name}: ${what} at byte ${d.offset}: native ${d.native}, wasm ${d.wasm} (${d.ulps} ULP)`);
    }
  }
  const summary = [...statuses].sort().map(([s, n]) => `${n} with exit status ${s}`).join(", ");
  const by_ulps = new Map<string, number>();
  for (const d of distances) by_ulps.set(String(d), (by_ulps.get(String(d)) ?? 0) + 1);
  const histogram = [...by_ulps].sort((a, b) => Number(a[0]) - Number(b[0])).map(([u, n]) => `${n} at ${u}`).join(", ");
  console.log(`${cases.length} inputs (${summary}); numbers apart by at most ${kMaxUlps} ULP: ${listed.length} (${histogram || "none"})`);
  for (const line of listed) console.log(`  ${line}`);
  // Each kind of outcome is exercised, not only completed runs.
  assert.ok((statuses.get(0) ?? 0) >= 200, "at least 200 completed runs");
  assert.ok(statuses.size >= 3, "completed, stopped and failed runs");
  assert.deepEqual(failures, []);
});
