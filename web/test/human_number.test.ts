// The page's numbers for people against the engine's own (readable_number, which the report
// pages use): the edges of the plain form, rounding that carries into the next power of ten,
// exact ties, whole numbers, signs, the values without digits, and 20,000 random values over
// the whole range.
import assert from "node:assert/strict";
import { existsSync } from "node:fs";
import { createRequire } from "node:module";
import { test } from "node:test";

import { human_number } from "../src/human_number";
import type { EngineModule } from "../src/engine_types";
import { random_source } from "./input_generator";

const engine_path = process.env.VORN_ENGINE ?? "";
const skip_reason = !engine_path || !existsSync(engine_path)
  ? `the engine module is not built (${engine_path || "VORN_ENGINE unset"}): scripts/web builds it`
  : false;

const kEdges = [
  0.001, 0.000999, 0.0009995, 0.00099949, 99900, 99949.9, 99950, 99999.7, 1e5, 100000.5, 123456,
  6000, 1, 0.5, 0.0887, 12.3, 0.009995, 1.125, 1.135, 0.125, 2.5e-7, 1e-300, 5e-324, 1.7976931348623157e308,
  -0, -1.125, -99999.7, 42.25, 1e21, 9.995e-5,
];

test("numbers for people read as the engine's pages write them", { skip: skip_reason }, async () => {
  const create = createRequire(import.meta.url)(engine_path) as () => Promise<EngineModule>;
  const engine = await create();
  const values = [...kEdges, NaN, Infinity, -Infinity];
  const random = random_source(2024);
  for (let k = 0; k < 20000; ++k) {
    const magnitude = Math.pow(10, random() * 40 - 20);
    const v = k % 4 === 0 ? Math.round(random() * 2e5) : k % 4 === 1 ? Number(magnitude.toPrecision(4)) : magnitude;
    values.push(random() < 0.2 ? -v : v);
  }
  const differing = values.filter((v) => human_number(v) !== engine.readableNumber(v));
  assert.deepEqual(differing.slice(0, 10).map((v) => [v, human_number(v), engine.readableNumber(v)]), []);
});
