// One page worker's work, timed: the engine module (build-web/vorn_engine.js) runs a
// scenario's realizations as one shard, in this process, as a worker of the page does.
// Prints {"realizations": N, "cpu_ms": ..., "wall_ms": ...} for the fastest of REPEAT runs.
//
// usage: node bench/web/worker_rate.mjs ENGINE_JS SCENARIO VORN.IN [REPEAT]
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { resolve } from "node:path";

const [engine_js, scenario_file, input_file, repeat = "3"] = process.argv.slice(2);
const create = createRequire(import.meta.url)(resolve(engine_js));
const engine = await create();
const scenario = readFileSync(scenario_file, "utf8");
const input = readFileSync(input_file);
const plan = engine.mcPlan(scenario, {});
let best = null;
for (let k = 0; k < Number(repeat); ++k) {
  const cpu = process.cpuUsage();
  const wall = performance.now();
  const r = engine.mcShard(scenario, input, {}, 1, 1, () => {});
  if (!r.ok) throw new Error(r.message);
  const used = process.cpuUsage(cpu);
  const t = { realizations: plan.realizations, cpu_ms: (used.user + used.system) / 1000, wall_ms: performance.now() - wall };
  if (best === null || t.cpu_ms < best.cpu_ms) best = t;
}
console.log(JSON.stringify(best));
