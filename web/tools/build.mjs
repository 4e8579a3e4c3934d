// Builds the page, build-web/vorn.html, from the engine module (build-wasm) and the
// TypeScript of web/src, and the node tests of web/test into build-web/test.
//
// usage: node web/tools/build.mjs ENGINE_JS OUT_DIR
// The page is one file: the engine with its WebAssembly inlined (a text/plain script the
// page starts as a worker from a Blob URL), the examples, and the page's own script, which
// the Content-Security-Policy allows by its SHA-256 hash alone.
import { createHash } from "node:crypto";
import { gzipSync } from "node:zlib";
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import { build } from "esbuild";

const web = resolve(dirname(fileURLToPath(import.meta.url)), "..");
const root = resolve(web, "..");
const [engine_js, out_dir] = process.argv.slice(2);
if (!engine_js || !out_dir) {
  console.error("usage: node web/tools/build.mjs ENGINE_JS OUT_DIR");
  process.exit(64);
}
const kMaxPageBytes = 3 * 1024 * 1024;

async function bundle(entry, options = {}) {
  const result = await build({
    entryPoints: [join(web, entry)],
    bundle: true,
    write: false,
    format: "iife",
    target: "es2020",
    minify: true,
    legalComments: "none",
    ...options,
  });
  return result.outputFiles[0].text;
}

// Text that goes between <script> tags unchanged must not end the element or open a comment.
function raw_script_text(text, what) {
  if (/<\/script|<!--/i.test(text)) throw new Error(`${what} holds "</script" or "<!--"`);
  return text;
}

function sha256(text) {
  return "'sha256-" + createHash("sha256").update(text, "utf8").digest("base64") + "'";
}

const engine = readFileSync(engine_js, "utf8");
const worker = engine + "\n" + (await bundle("src/worker.ts"));
const main = raw_script_text(await bundle("src/main.ts"), "the page's script");
// The shipped inputs (Latin-1), scenarios and stream sheet, as JSON.
const examples = { inputs: {}, scenarios: {}, sheets: {} };
for (const name of ["landfill", "impoundment"])
  examples.inputs[name] = readFileSync(join(root, "examples", name, "VORN.IN"), "latin1");
for (const name of ["scenario", "correlated", "nested"])
  examples.scenarios[name] = readFileSync(join(root, "examples", "montecarlo", `${name}.toml`), "utf8");
examples.sheets.landfill = readFileSync(join(root, "tests", "data", "chemicals", "landfill_stream.csv"), "utf8");
// "<" escaped, so no text of an example can close its script element.
const examples_json = JSON.stringify(examples).replace(/</g, "\\u003c");
// The chemical library, gzip-compressed (the page inflates it with DecompressionStream), in
// base64, which holds no "<".
const library = gzipSync(readFileSync(join(root, "data", "chemicals", "library.csv")), { level: 9 }).toString("base64");

const csp = [
  "default-src 'none'",
  `script-src ${sha256(main)} 'wasm-unsafe-eval'`,
  "worker-src blob:",
  // The report pages are shown from Blob URLs.
  "frame-src blob:",
  "style-src 'unsafe-inline'",
  "img-src data: blob:",
  "base-uri 'none'",
  "form-action 'none'",
].join("; ");

const template = readFileSync(join(web, "src", "page.html"), "utf8");
const fill = { "@CSP@": csp, "@STYLE@": readFileSync(join(web, "src", "page.css"), "utf8"),
  "@EXAMPLES@": examples_json, "@LIBRARY@": library, "@WORKER@": raw_script_text(worker, "the engine"), "@MAIN@": main };
const page = template.replace(/@(CSP|STYLE|EXAMPLES|LIBRARY|WORKER|MAIN)@/g, (key) => fill[key]);
mkdirSync(out_dir, { recursive: true });
writeFileSync(join(out_dir, "vorn.html"), page);
copyFileSync(engine_js, join(out_dir, "vorn_engine.js"));
const size = Buffer.byteLength(page);
console.log(`${join(out_dir, "vorn.html")}: ${size} bytes`);
if (size > kMaxPageBytes) throw new Error(`the page is ${size} bytes, above ${kMaxPageBytes}`);

// The node tests, each bundled with what it imports from web/.
for (const test of ["engine_bytes.test.ts", "mc_bytes.test.ts", "page_browser.test.ts", "human_number.test.ts",
  "distribution_preview.test.ts"]) {
  await build({
    entryPoints: [join(web, "test", test)],
    bundle: true,
    platform: "node",
    format: "esm",
    target: "node20",
    packages: "external",
    outfile: join(out_dir, "test", test.replace(/\.ts$/, ".mjs")),
    logLevel: "warning",
  });
}
