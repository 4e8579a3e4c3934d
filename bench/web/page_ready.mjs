// How long the page takes to be ready to use, opened from file:// in headless Chromium: the
// time from the navigation to the engine's "ready" (the page then takes input and runs), and
// to the chemical library loaded. Prints {"ready_ms": ..., "library_ms": ...} per load, a
// fresh browser context each time.
//
// usage: node bench/web/page_ready.mjs PAGE [CHROMIUM] [LOADS]
import { createRequire } from "node:module";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const root = resolve(dirname(fileURLToPath(import.meta.url)), "..", "..");
const { chromium } = createRequire(join(root, "web", "package.json"))("playwright-core");
const [page_file, executable = "/usr/bin/chromium", loads = "5"] = process.argv.slice(2);
const browser = await chromium.launch({ executablePath: executable, args: ["--no-sandbox"] });
try {
  for (let k = 0; k < Number(loads); ++k) {
    const context = await browser.newContext();
    await context.setOffline(true);
    const page = await context.newPage();
    const start = performance.now();
    await page.goto(pathToFileURL(resolve(page_file)).href);
    await page.waitForSelector("body[data-ready=true]", { timeout: 30000 });
    const ready = performance.now() - start;
    await page.waitForFunction(() => /Chemical library: \d+/.test(document.querySelector("#library-state")?.textContent ?? ""));
    const library = performance.now() - start;
    console.log(JSON.stringify({ ready_ms: ready, library_ms: library }));
    await context.close();
  }
} finally {
  await browser.close();
}
