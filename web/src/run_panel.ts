// The deterministic run: the input written from the editor (or the bytes opened, unedited),
// run in the engine's worker, the report page the program writes shown here, every file of
// the run to download, and the report printed with its own print style.
import { utf8_text } from "./bytes";
import { announce, element, today } from "./dom";
import { DownloadList } from "./downloads";
import type { EngineClient } from "./engine_client";
import type { Finding, RunResult } from "./engine_types";
import { type InputState, form_of_state, sources_csv } from "./input_model";

export class RunPanel {
  private readonly downloads = new DownloadList(element("download-list"));
  private running = false;
  private page = "";

  constructor(
    private readonly engine: EngineClient,
    private readonly state: () => InputState,
  ) {
    element<HTMLButtonElement>("run-button").addEventListener("click", () => void this.run());
    element<HTMLButtonElement>("print-button").addEventListener("click", () => this.print());
  }

  // VORN.IN as it would run now: the bytes opened while nothing is edited, else the editor's
  // texts; null with the problems that keep it from being written.
  async input(): Promise<{ bytes: Uint8Array | null; problems: Finding[] }> {
    const s = this.state();
    if (s.original && !s.edited) return { bytes: s.original, problems: [] };
    const written = await this.engine.call("writeInput", [form_of_state(s)]);
    return { bytes: written.input, problems: written.problems };
  }

  async run(): Promise<void> {
    if (this.running) return;
    const state = element<HTMLParagraphElement>("run-state");
    const say = (text: string, error = false) => {
      state.textContent = text;
      state.classList.toggle("error", error);
      announce(text);
    };
    this.running = true;
    element<HTMLButtonElement>("run-button").disabled = true;
    try {
      const { bytes, problems } = await this.input();
      if (!bytes) {
        say(`The input cannot be written: ${problems.map((p) => `${p.chemical ? `chemical ${p.chemical}, ` : ""}${p.field}: ${p.text}`).join("; ")}`, true);
        return;
      }
      const s = this.state();
      say(`Running ${s.name}…`);
      const result = await this.engine.call("runInput", [bytes.slice(), today(), s.name]);
      this.show(result, bytes, s);
      say(describe(result), result.exitStatus !== 0);
    } catch (e) {
      say(`The engine failed: ${e}`, true);
    } finally {
      this.running = false;
      element<HTMLButtonElement>("run-button").disabled = false;
    }
  }

  private show(result: RunResult, input: Uint8Array, s: InputState): void {
    const sources = s.chemicals.some((c) => Object.keys(c.sources).length > 0) ? sources_csv(s) : null;
    this.downloads.show([
      { name: "VORN.IN", bytes: input, type: "text/plain" },
      { name: "VORN.OUT", bytes: result.report, type: "text/plain" },
      { name: "VORN.DBG", bytes: result.log, type: "text/plain" },
      { name: "results.json", bytes: result.json, type: "application/json" },
      { name: "results.csv", bytes: result.csv, type: "text/csv" },
      { name: "report.html", bytes: result.html, type: "text/html" },
      { name: "sources.csv", bytes: sources, type: "text/csv" },
    ]);
    element("downloads").hidden = false;
    // Shown in a frame without scripts or the page's origin, which the browser may lay out
    // apart from this page: a report of a thousand chemicals does not hold it up.
    this.page = utf8_text(result.html);
    show_page(element<HTMLIFrameElement>("report-frame"), result.html);
    element("report-section").hidden = false;
    element<HTMLButtonElement>("print-button").disabled = false;
  }

  // The report page prints through its own print style: its sheets, not this page's. It is
  // loaded for printing only when asked, into a frame of this page's origin.
  private print(): void {
    const frame = element<HTMLIFrameElement>("print-frame");
    frame.onload = () => {
      frame.contentWindow?.focus();
      frame.contentWindow?.print();
    };
    frame.srcdoc = this.page;
  }
}

// A page the engine made, shown in `frame` from a Blob URL: the browser loads it as any
// document, in pieces, where a srcdoc of a thousand chemicals' report (10 MB) would be parsed
// in one long task that holds up this page. The frame has no scripts and not this page's
// origin.

export function show_page(frame: HTMLIFrameElement, html: Uint8Array): void {
  if (frame.dataset.url) URL.revokeObjectURL(frame.dataset.url);
  const url = URL.createObjectURL(new Blob([html as BlobPart], { type: "text/html;charset=utf-8" }));
  frame.dataset.url = url;
  frame.src = url;
}

export function describe(result: RunResult): string {
  const message = utf8_text(result.message);
  switch (result.status) {
    case "completed":
      return "The run completed: the report is below.";
    case "stopped":
      return `The run stopped: ${message}`;
    case "fatal input error":
      return `The input cannot be read: ${message}`;
    default:
      return `${result.status}: ${message}`;
  }
}
