// The page: opens a VORN.IN (file, drop or shipped example), runs it in the worker and
// shows the report page the engine renders, with every file of the run to download.
import { latin1_bytes, latin1_text, utf8_text } from "./bytes";
import type { RunResult } from "./engine_types";
import type { RunRequest, WorkerMessage } from "./worker";

interface OpenInput {
  name: string;
  bytes: Uint8Array;
}

function element<T extends HTMLElement>(id: string): T {
  const e = document.getElementById(id);
  if (!e) throw new Error(`the page has no element #${id}`);
  return e as T;
}

const ui = {
  engine_state: element<HTMLSpanElement>("engine-state"),
  file_input: element<HTMLInputElement>("file-input"),
  example_select: element<HTMLSelectElement>("example-select"),
  example_open: element<HTMLButtonElement>("example-open"),
  drop_zone: element<HTMLDivElement>("drop-zone"),
  input_state: element<HTMLParagraphElement>("input-state"),
  input_details: element<HTMLDetailsElement>("input-details"),
  input_text: element<HTMLPreElement>("input-text"),
  run_button: element<HTMLButtonElement>("run-button"),
  run_state: element<HTMLParagraphElement>("run-state"),
  downloads: element<HTMLDivElement>("downloads"),
  download_list: element<HTMLUListElement>("download-list"),
  report_section: element<HTMLElement>("report-section"),
  report_frame: element<HTMLIFrameElement>("report-frame"),
};

let current: OpenInput | null = null;
let engine_ready = false;
let next_id = 1;
let pending = 0;
const object_urls: string[] = [];

// The examples the build embeds: their names and their VORN.IN as Latin-1 text.
const examples: Record<string, string> = JSON.parse(element("vorn-examples").textContent ?? "{}");

function start_worker(): Worker {
  const source = element("vorn-worker").textContent ?? "";
  const url = URL.createObjectURL(new Blob([source], { type: "text/javascript" }));
  return new Worker(url);
}

const worker = start_worker();

function update_run_button(): void {
  ui.run_button.disabled = !engine_ready || current === null || pending !== 0;
}

function set_run_state(text: string, error = false): void {
  ui.run_state.textContent = text;
  ui.run_state.classList.toggle("error", error);
}

function open_input(input: OpenInput): void {
  current = input;
  ui.input_state.textContent = `Opened ${input.name} (${input.bytes.length} bytes).`;
  ui.input_text.textContent = latin1_text(input.bytes);
  ui.input_details.hidden = false;
  update_run_button();
}

async function open_file(file: File): Promise<void> {
  const bytes = new Uint8Array(await file.arrayBuffer());
  open_input({ name: file.name, bytes });
}

function clear_downloads(): void {
  for (const url of object_urls.splice(0)) URL.revokeObjectURL(url);
  ui.download_list.replaceChildren();
}

function add_download(file_name: string, bytes: Uint8Array | null, type: string): void {
  if (bytes === null) return;
  const url = URL.createObjectURL(new Blob([bytes as Uint8Array<ArrayBuffer>], { type }));
  object_urls.push(url);
  const a = document.createElement("a");
  a.href = url;
  a.download = file_name;
  a.textContent = file_name;
  const li = document.createElement("li");
  li.append(a);
  ui.download_list.append(li);
}

function show_result(result: RunResult, input: OpenInput, html_text: string): void {
  clear_downloads();
  add_download("VORN.IN", input.bytes, "text/plain");
  add_download("VORN.OUT", result.report, "text/plain");
  add_download("VORN.DBG", result.log, "text/plain");
  add_download("results.json", result.json, "application/json");
  add_download("results.csv", result.csv, "text/csv");
  add_download("report.html", result.html, "text/html");
  ui.downloads.hidden = false;
  ui.report_frame.srcdoc = html_text;
  ui.report_section.hidden = false;
}

function describe(result: RunResult): string {
  const message = utf8_text(result.message);
  switch (result.status) {
    case "completed":
      return "The run completed.";
    case "stopped":
      return `The run stopped: ${message}`;
    case "fatal input error":
      return `The input cannot be read: ${message}`;
    default:
      return `${result.status}: ${message}`;
  }
}

worker.onmessage = (event: MessageEvent<WorkerMessage>) => {
  const m = event.data;
  if (m.kind === "ready") {
    engine_ready = true;
    ui.engine_state.textContent = `Engine ${m.version} ready.`;
    update_run_button();
    return;
  }
  if (m.kind === "error") {
    if (m.id !== 0) pending = 0;
    set_run_state(m.message, true);
    update_run_button();
    return;
  }
  pending = 0;
  update_run_button();
  if (current) show_result(m.result, current, utf8_text(m.result.html));
  set_run_state(describe(m.result), m.result.exitStatus !== 0);
};

worker.onerror = (event) => {
  ui.engine_state.textContent = `The engine failed: ${event.message}`;
  set_run_state(`The engine failed: ${event.message}`, true);
};

ui.run_button.addEventListener("click", () => {
  if (!current) return;
  pending = next_id++;
  update_run_button();
  set_run_state(`Running ${current.name}…`);
  // The worker gets a copy: the input stays here for its download.
  const request: RunRequest = { id: pending, input: current.bytes.slice() };
  worker.postMessage(request, [request.input.buffer]);
});

ui.file_input.addEventListener("change", () => {
  const file = ui.file_input.files?.[0];
  if (file) void open_file(file);
});

for (const name of Object.keys(examples)) {
  const option = document.createElement("option");
  option.value = name;
  option.textContent = name;
  ui.example_select.append(option);
}
ui.example_open.addEventListener("click", () => {
  const name = ui.example_select.value;
  if (name in examples) open_input({ name: `the ${name} example`, bytes: latin1_bytes(examples[name]) });
});

ui.drop_zone.addEventListener("dragover", (event) => {
  event.preventDefault();
  ui.drop_zone.classList.add("over");
});
ui.drop_zone.addEventListener("dragleave", () => ui.drop_zone.classList.remove("over"));
ui.drop_zone.addEventListener("drop", (event) => {
  event.preventDefault();
  ui.drop_zone.classList.remove("over");
  const file = event.dataTransfer?.files[0];
  if (file) void open_file(file);
});
ui.drop_zone.addEventListener("keydown", (event) => {
  if (event.key === "Enter" || event.key === " ") {
    event.preventDefault();
    ui.file_input.click();
  }
});
