// A probabilistic run on K workers: each runs one shard of the realizations (of the outer
// draws of a nested run, of the base rows of a Sobol design) as `vorn mc --shard I/K` does,
// the parts are merged as `vorn mc-merge` merges them, and the page `vorn mc --html` writes is
// shown with the JSON, the CSV, the parts and the scenario to download. A progress bar, the
// realizations per second and Cancel (which ends every worker at once) go with it.
import { announce, element, today } from "./dom";
import { DownloadList } from "./downloads";
import { EngineClient } from "./engine_client";
import type { McOptions, McPlan } from "./engine_types";
import { human_count } from "./human_number";
import { show_page } from "./run_panel";

export const kMaxWorkers = 8;

export function default_workers(): number {
  return Math.max(1, Math.min(kMaxWorkers, navigator.hardwareConcurrency || 2));
}

export class McRunner {
  private workers: EngineClient[] = [];
  private readonly downloads = new DownloadList(element("mc-download-list"));
  private cancelled = false;

  constructor(
    private readonly engine: EngineClient,
    private readonly scenario: () => string,
    private readonly input: () => Promise<Uint8Array | null>,
  ) {
    element<HTMLInputElement>("mc-workers").value = String(default_workers());
    element<HTMLButtonElement>("mc-run").addEventListener("click", () => void this.run());
    element<HTMLButtonElement>("mc-cancel").addEventListener("click", () => this.cancel());
  }

  private say(text: string, error = false): void {
    const state = element("mc-state");
    state.textContent = text;
    state.classList.toggle("error", error);
    announce(text);
  }

  private options(): McOptions {
    const o: McOptions = {};
    const realizations = element<HTMLInputElement>("mc-realizations").value.trim();
    if (realizations) o.realizations = Number(realizations);
    if (element<HTMLInputElement>("mc-sobol").checked) o.sobol = Number(element<HTMLInputElement>("mc-base-rows").value);
    return o;
  }

  // How many workers: the number asked for (1 to 8), one for a run that stops at a precision,
  // no more than there are draws or base rows to share.
  private worker_count(plan: McPlan, options: McOptions): { count: number; note: string } {
    let count = Math.max(1, Math.min(kMaxWorkers, Math.floor(Number(element<HTMLInputElement>("mc-workers").value) || 1)));
    if (!plan.shardable && !options.sobol)
      return { count: 1, note: "This scenario stops at a target precision, so it decides its length as it runs: it runs on one worker." };
    const units = options.sobol ?? (plan.nested ? plan.outer : plan.realizations);
    count = Math.min(count, units);
    return { count, note: "" };
  }

  async run(): Promise<void> {
    if (this.workers.length > 0) return;
    const scenario = this.scenario();
    const options = this.options();
    const plan = await this.engine.call("mcPlan", [scenario, options]);
    if (!plan.ok) return this.say(`The scenario cannot be run: ${(plan.problems ?? [plan.message]).join("; ")}`, true);
    const input = await this.input();
    if (!input) return this.say("The input cannot be written: see the problems at its fields.", true);
    const { count, note } = this.worker_count(plan, options);
    element("mc-note").textContent = note;
    this.cancelled = false;
    element<HTMLButtonElement>("mc-run").disabled = true;
    element<HTMLButtonElement>("mc-cancel").disabled = false;
    const bar = element<HTMLProgressElement>("mc-progress");
    bar.value = 0;
    bar.hidden = false;
    const done = new Array<number>(count).fill(0);
    const total = new Array<number>(count).fill(0);
    const started = performance.now();
    const unit = options.sobol ? "evaluations" : "realizations";
    const show_progress = () => {
      const d = done.reduce((a, b) => a + b, 0);
      const n = total.reduce((a, b) => a + b, 0);
      const seconds = (performance.now() - started) / 1000;
      bar.max = Math.max(n, 1);
      bar.value = d;
      element("mc-rate").textContent = `${human_count(d)} of ${human_count(n)} ${unit}, ${human_count(seconds > 0 ? d / seconds : 0)} ${unit} per second on ${count} worker${count > 1 ? "s" : ""}`;
    };
    this.say(`Running on ${count} worker${count > 1 ? "s" : ""}…`);
    try {
      this.workers = Array.from({ length: count }, () => new EngineClient());
      const parts = await Promise.all(
        this.workers.map(async (w, k) => {
          await w.ready;
          const r = await w.call("mcShard", [scenario, input.slice(), options, k + 1, count, null], {
            progress: (d, n) => {
              done[k] = d;
              total[k] = n;
              show_progress();
            },
          });
          if (!r.ok || !r.part) throw new Error(r.message || r.status);
          return r.part;
        }),
      );
      show_progress();
      const seconds = (performance.now() - started) / 1000;
      const documents = await this.engine.call("mcDocuments", [parts, today()]);
      if (!documents.ok) throw new Error(documents.message);
      show_page(element<HTMLIFrameElement>("mc-frame"), documents.html!);
      element("mc-result").hidden = false;
      this.downloads.show([
        { name: "mc.json", bytes: documents.json, type: "application/json" },
        { name: "mc.csv", bytes: documents.csv, type: "text/csv" },
        { name: "mc.html", bytes: documents.html, type: "text/html" },
        ...parts.map((p, k) => ({ name: `part-${k + 1}-of-${count}.json`, bytes: p, type: "application/json" })),
        { name: "scenario.toml", bytes: scenario, type: "text/plain" },
      ]);
      this.say(`The run completed in ${seconds.toFixed(1)} s on ${count} worker${count > 1 ? "s" : ""}: the page is below.`);
    } catch (e) {
      if (this.cancelled) this.say("Cancelled: every worker was ended.");
      else this.say(`The run failed: ${e instanceof Error ? e.message : e}`, true);
    } finally {
      for (const w of this.workers) w.terminate();
      this.workers = [];
      element<HTMLButtonElement>("mc-run").disabled = false;
      element<HTMLButtonElement>("mc-cancel").disabled = true;
    }
  }

  cancel(): void {
    if (this.workers.length === 0) return;
    this.cancelled = true;
    for (const w of this.workers) w.terminate();
  }
}
