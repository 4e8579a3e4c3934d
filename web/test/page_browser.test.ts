// The page in a real browser (Debian's Chromium, driven by playwright-core; nothing is
// downloaded): opened from file:// with the network blocked, it runs the landfill example and
// shows the program's numbers, adds benzene by CAS with its sources, renders a hostile name as
// text, runs the shipped scenario on 2 workers to the JSON `vorn mc --json` writes, cancels a
// long run, starts a scenario with a target precision on one worker, previews a distribution
// in the scenario editor and adds it, and runs 1,000 chemicals. A screenshot of each stage
// goes to the test's output folder. Any request whose scheme is not file:, blob: or data:
// fails the test.
//
// Environment: VORN_PAGE (build-web/vorn.html), VORN_CLI, VORN_SOURCE_DIR, VORN_TEST_OUTPUT
// (the screenshots' folder), VORN_BROWSER (a Chromium; default /usr/bin/chromium).
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { test } from "node:test";

import { compare_texts } from "./byte_compare";
import { page_number } from "./page_number";

const page_path = process.env.VORN_PAGE ?? "";
const cli = process.env.VORN_CLI ?? "";
const source = process.env.VORN_SOURCE_DIR ?? "";
const output = process.env.VORN_TEST_OUTPUT ?? join(tmpdir(), "vorn-browser-test");
const browser_path = process.env.VORN_BROWSER || "/usr/bin/chromium";

// playwright-core from the page's own node packages (npm ci in web/).
type Playwright = typeof import("playwright-core");
function playwright(): Playwright | null {
  try {
    return createRequire(join(source, "web", "package.json"))("playwright-core") as Playwright;
  } catch {
    return null;
  }
}

const skip_reason = !page_path || !existsSync(page_path)
  ? `the page is not built (${page_path || "VORN_PAGE unset"}): the web group is not installed (scripts/install-deps web && scripts/web)`
  : !cli || !existsSync(cli)
    ? `the native program is not built (${cli || "VORN_CLI unset"})`
    : !existsSync(browser_path)
      ? `no Chromium at ${browser_path}: the web group installs it (scripts/install-deps web)`
      : !playwright()
        ? "playwright-core is not installed: scripts/web installs the page's node packages (npm ci)"
        : false;

// The landfill example's chemicals repeated to `count`, each with its number in its name.
function many_chemicals(count: number): Buffer {
  const lines = readFileSync(join(source, "examples", "landfill", "VORN.IN"), "latin1").split("\n");
  const n = Number(lines[8]);
  const properties = lines.slice(10, 10 + n);
  const concentrations = lines.slice(11 + n, 11 + 2 * n);
  const out = [...lines.slice(0, 8), String(count), lines[9]];
  for (let k = 0; k < count; ++k) out.push(properties[k % n].replace(" @", ` ${k + 1} @`));
  out.push(lines[10 + n]);
  for (let k = 0; k < count; ++k) out.push(concentrations[k % n]);
  out.push(...lines.slice(11 + 2 * n));
  return Buffer.from(out.join("\n"), "latin1");
}

function native(args: string[], cwd: string): void {
  const r = spawnSync(cli, args, { cwd, encoding: "utf8" });
  assert.equal(r.status, 0, `vorn ${args.join(" ")}: ${r.stderr}`);
}

test("the page in Chromium, offline from file://", { skip: skip_reason, timeout: 600_000 }, async () => {
  const { chromium } = playwright()!;
  mkdirSync(output, { recursive: true });
  const work = mkdtempSync(join(tmpdir(), "vorn-browser-"));
  const browser = await chromium.launch({ executablePath: browser_path, args: ["--no-sandbox"] });
  try {
    const context = await browser.newContext({ viewport: { width: 1300, height: 1000 }, acceptDownloads: true });
    await context.setOffline(true);
    const requests: string[] = [];
    await context.route("**/*", (route) => {
      const scheme = new URL(route.request().url()).protocol;
      return ["file:", "blob:", "data:"].includes(scheme) ? route.continue() : route.abort();
    });
    const page = await context.newPage();
    // page.on("request") sees the requests for files, which routing does not.
    page.on("request", (r) => requests.push(r.url()));
    // The machine may be shared: waits are generous, the page's own pauses are measured.
    page.setDefaultTimeout(120_000);
    const errors: string[] = [];
    page.on("pageerror", (e) => errors.push(e.message));
    // On a wait that times out, what the page said.
    page.on("console", (m) => { if (m.type() === "error") errors.push(`console: ${m.text()}`); });
    const states = async () =>
      page.evaluate(() => ["input-state", "run-state", "mc-state", "check-summary"].map((id) => `#${id}: ${document.getElementById(id)?.textContent}`).join("; "));
    const shot = (name: string) => page.screenshot({ path: join(output, `${name}.png`), fullPage: false });
    // Every control shown has a name for assistive technology: a label, an ARIA name, or a
    // button's text.
    const unlabelled = () =>
      page.evaluate(() =>
        Array.from(document.querySelectorAll<HTMLInputElement>("input, select, textarea, button"))
          .filter((e) => e.type !== "hidden" && !e.closest("[hidden]"))
          .filter((e) => !(e.labels?.length || e.getAttribute("aria-label") || e.getAttribute("aria-labelledby") ||
            (e.tagName === "BUTTON" && e.textContent?.trim())))
          .map((e) => e.outerHTML.slice(0, 100)),
      );

    await page.goto(pathToFileURL(page_path).href);
    await page.waitForSelector("body[data-ready=true]", { timeout: 30_000 });
    await page.waitForFunction(() => /Chemical library: \d+/.test(document.querySelector("#library-state")?.textContent ?? ""));
    await shot("1-ready");

    // 1. The landfill example, run; its verdict table against the program's JSON.
    await page.selectOption("#example-select", "input:landfill");
    await page.click("#example-open");
    await page.waitForFunction(() => /warning/.test(document.querySelector("#check-summary")?.textContent ?? ""));
    await page.click("#run-button");
    await page.waitForFunction(() => /completed/.test(document.querySelector("#run-state")?.textContent ?? ""));
    native([join(source, "examples", "landfill"), "--json", join(work, "landfill.json")], work);
    const expected = JSON.parse(readFileSync(join(work, "landfill.json"), "utf8"));
    const frame = page.frameLocator("#report-frame");
    const rows = await frame.locator("table.verdicts tbody tr").evaluateAll((trs) =>
      trs.map((tr) => Array.from(tr.querySelectorAll("td")).map((td) => (td.querySelector(".value") ?? td).textContent ?? "")),
    );
    assert.equal(rows.length, expected.chemicals.length);
    rows.forEach((cells, k) => {
      const c = expected.chemicals[k];
      const pairs: [string, number][] = [
        [cells[1], c.chemical.TCLPCONC], [cells[2], c.chemical.TOTC], [cells[3], c.report.TCLPMAX], [cells[5], c.report.TC_MAX],
      ];
      for (const [text, value] of pairs) {
        const shown = page_number(text);
        // Three significant digits: within half a unit of the third.
        assert.ok(value >= 1e30 ? Number.isNaN(shown) : Math.abs(shown - value) <= 0.005 * Math.abs(value),
          `chemical ${k + 1}: the page shows ${text}, the program's JSON ${value}`);
      }
    });
    assert.deepEqual(await unlabelled(), [], "controls without a label");
    await page.locator("#report-section").scrollIntoViewIfNeeded();
    await shot("2-landfill-run");

    // 2. Benzene by CAS number, with its sources.
    await page.fill("#chem-find", "71-43-2");
    await page.click("#chem-find-button");
    const panel = page.locator("#sources-panel");
    await panel.waitFor({ state: "visible" });
    const sources = await panel.textContent();
    assert.match(sources ?? "", /Sources of chemical 11: Benzene/);
    assert.match(sources ?? "", /RSL summary table/);
    assert.match(sources ?? "", /IUR x 3500/);
    const missing = await page.locator('td.missing input[data-row="10"]').count();
    assert.ok(missing >= 2, "the values benzene lacks are highlighted");
    await shot("3-benzene-sources");
    await page.click('button[aria-label="Remove chemical 11"]');

    // 3. A hostile name: shown as text in the editor and in the report, never run.
    const hostile = `<script>window.__hostile = 1</script><img src=x onerror="window.__hostile = 2"> "quoted" 'too'`;
    const name = page.locator('input[data-row="0"][data-field="CHEMNAME"]');
    await name.fill(`${hostile} @ here`);
    await page.waitForFunction(() => document.querySelector('input[data-row="0"][data-field="CHEMNAME"]')?.classList.contains("fatal"));
    assert.match((await name.getAttribute("title")) ?? "", /cannot hold "@"/);
    await name.fill(hostile);
    await page.waitForFunction(() => !document.querySelector('input[data-row="0"][data-field="CHEMNAME"]')?.classList.contains("fatal"));
    await page.click("#run-button");
    await page.waitForFunction(() => /completed/.test(document.querySelector("#run-state")?.textContent ?? ""));
    const first_cell = await frame.locator("table.verdicts tbody tr td").first().textContent();
    assert.ok(first_cell?.startsWith(hostile), `the report shows the name as text: ${first_cell}`);
    assert.equal(await frame.locator("table.verdicts img").count(), 0);
    assert.equal(await page.evaluate(() => (window as unknown as { __hostile?: number }).__hostile), undefined);
    await page.locator("#report-section").scrollIntoViewIfNeeded();
    await shot("4-hostile-name");

    // 4. The shipped scenario on 2 workers, on the landfill example as shipped; opened from
    // the keyboard.
    await page.selectOption("#example-select", "input:landfill");
    await page.focus("#example-open");
    await page.keyboard.press("Enter");
    await page
      .waitForFunction(
        () => (document.querySelector('input[data-row="0"][data-field="CHEMNAME"]') as HTMLInputElement | null)?.value === "Benzene",
      )
      .catch(async (e) => {
        await shot("failed");
        const names = await page.locator('input[data-field="CHEMNAME"]').evaluateAll((xs) => xs.map((x) => (x as HTMLInputElement).value).join(" | "));
        assert.fail(`${e}: ${await states()}; names: ${names}; ${errors.join("; ")}`);
      });
    await page.selectOption("#scenario-select", "scenario");
    await page.click("#scenario-open");
    await page.fill("#mc-workers", "2");
    await page.click("#mc-run");
    await page.waitForFunction(() => /completed|failed/.test(document.querySelector("#mc-state")?.textContent ?? ""), null, { timeout: 300_000 });
    assert.match((await page.textContent("#mc-state")) ?? "", /completed .* on 2 workers/);
    assert.match((await page.textContent("#mc-rate")) ?? "", /realizations per second on 2 workers/);
    const [download] = await Promise.all([page.waitForEvent("download"), page.click('#mc-download-list a[download="mc.json"]')]);
    const downloaded = readFileSync((await download.path())!);
    native(["mc", join(source, "examples", "montecarlo", "scenario.toml"), "--json", join(work, "mc.json")], work);
    writeFileSync(join(output, "mc.json"), downloaded);
    const cmp = compare_texts(readFileSync(join(work, "mc.json")), downloaded, 16n);
    assert.equal(cmp.mismatch, null, `mc.json: ${cmp.mismatch}`);
    await page.locator("#mc-result").scrollIntoViewIfNeeded();
    await shot("5-monte-carlo");

    // Cancel ends a long run's workers; a scenario that stops at a target precision runs on
    // one worker, and the page says why.
    const mc_state = () => page.textContent("#mc-state").then((t) => t ?? "");
    await page.fill("#mc-realizations", "2000000");
    await page.click("#mc-run");
    await page.waitForFunction(() => /^[1-9][^]* of 2\D000\D000 realizations/.test(document.querySelector("#mc-rate")?.textContent ?? ""));
    await page.click("#mc-cancel");
    await page.waitForFunction(() => /Cancelled/.test(document.querySelector("#mc-state")?.textContent ?? ""));
    assert.match(await mc_state(), /^Cancelled: every worker was ended\.$/);
    assert.equal(await page.isEnabled("#mc-run"), true);
    assert.equal(await page.isDisabled("#mc-cancel"), true);
    await page.fill("#mc-realizations", "");
    const shipped_scenario = await page.inputValue("#scenario-text");
    assert.match(shipped_scenario, /decision_percentile = 90\n/);
    await page.fill("#scenario-text", shipped_scenario.replace("decision_percentile = 90\n", "decision_percentile = 90\ntarget_precision = 0.5\n"));
    await page.click("#mc-run");
    await page.waitForFunction(() => /on 1 worker\b/.test(document.querySelector("#mc-rate")?.textContent ?? ""));
    assert.match((await page.textContent("#mc-note")) ?? "", /target precision.*runs on one worker/);
    // The run may reach its precision before the click: either way it ends on one worker.
    await page.evaluate(() => document.getElementById("mc-cancel")!.click());
    await page.waitForFunction(() => /Cancelled|completed|failed/.test(document.querySelector("#mc-state")?.textContent ?? ""));
    assert.match(await mc_state(), /^(Cancelled|The run completed .* on 1 worker:)/);
    await page.fill("#scenario-text", shipped_scenario);

    // 5. The scenario editor: a triangular input's preview in the engine's reading (its
    // percentiles in closed form: P50 = 1, P5 = sqrt(0.1)), a parameter out of range refused
    // in the reader's words, the input added to the scenario as typed.
    await page.selectOption("#dist-family", "triangular");
    await page.fill("#dist-min", "0");
    await page.fill("#dist-mode", "1");
    await page.fill("#dist-max", "2e0");
    await page.waitForFunction(() => /^triangular: mean 1\b/.test(document.querySelector("#dist-preview caption")?.textContent ?? ""));
    const percentiles = await page.locator("#dist-preview table.percentiles").evaluate((t) => ({
      heads: Array.from(t.querySelectorAll("th")).map((th) => th.textContent ?? ""),
      cells: Array.from(t.querySelectorAll("td")).map((td) => td.textContent ?? ""),
    }));
    const at = (p: string) => page_number(percentiles.cells[percentiles.heads.indexOf(p)]);
    assert.equal(at("P50"), 1);
    assert.ok(Math.abs(at("P5") - Math.sqrt(0.1)) < 0.005, `P5 shown as ${at("P5")}`);
    assert.equal(await page.locator("#dist-preview svg rect.bar").count(), 60);
    await page.fill("#dist-max", "0.5");
    await page.waitForSelector("#dist-preview ul.problems li.fatal");
    assert.match((await page.textContent("#dist-preview ul.problems")) ?? "", /max/);
    await page.fill("#dist-max", "2e0");
    await page.waitForSelector("#dist-preview table.percentiles");
    await page.selectOption("#vary-field", "WU_WASTEVOL");
    await page.click("#vary-add");
    const scenario_text = await page.inputValue("#scenario-text");
    assert.match(scenario_text, /\[\[vary\]\]\nfield = "WU_WASTEVOL"\ndist = \{ type = "triangular", min = 0, mode = 1, max = 2e0 \}\n$/);
    assert.deepEqual(await unlabelled(), [], "controls without a label");
    await page.locator("#dist-preview").scrollIntoViewIfNeeded();
    await shot("6-scenario-editor");

    // 6. A thousand chemicals: opened, checked and run while the page keeps answering.
    await page.setInputFiles("#file-input", { name: "VORN.IN", mimeType: "text/plain", buffer: many_chemicals(1000) });
    await page.waitForFunction(() => /1000 chemicals/.test(document.querySelector("#input-state")?.textContent ?? ""));
    await page.evaluate(() => {
      const w = window as unknown as { __gaps: number[] };
      w.__gaps = [];
      let last = performance.now();
      window.setInterval(() => {
        const now = performance.now();
        w.__gaps.push(now - last);
        last = now;
      }, 20);
    });
    const started = Date.now();
    await page.click("#run-button");
    await page.waitForFunction(() => /completed/.test(document.querySelector("#run-state")?.textContent ?? ""), null, { timeout: 120_000 });
    await page.waitForTimeout(500);
    const longest = await page.evaluate(() => Math.max(...(window as unknown as { __gaps: number[] }).__gaps));
    console.log(`1000 chemicals: run and shown in ${Date.now() - started} ms, the page's longest pause ${longest.toFixed(0)} ms`);
    assert.ok(longest < 1000, `the page paused ${longest} ms`);
    await shot("7-thousand-chemicals");

    assert.deepEqual(errors, [], "no error on the page");
    const foreign = requests.filter((url) => !["file:", "blob:", "data:"].includes(new URL(url).protocol));
    assert.deepEqual(foreign, [], "requests other than file:, blob: and data:");
    console.log(`${requests.length} requests, all file:, blob: or data:; screenshots in ${output}`);
  } finally {
    await browser.close();
    rmSync(work, { recursive: true, force: true });
  }
});
