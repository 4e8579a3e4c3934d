// The page: opens a VORN.IN, a stream sheet or a shipped example into the editor, checks every
// value as it is typed, keeps the inputs in the browser's storage, runs the assessment in a
// worker and shows the report the program writes; runs a scenario on several workers.
import { latin1_bytes } from "./bytes";
import { ChemicalTable } from "./chemical_table";
import { DafEditor } from "./daf_editor";
import { announce, debounced, element } from "./dom";
import { EngineClient } from "./engine_client";
import type { Finding } from "./engine_types";
import { type InputState, new_state, state_of_form } from "./input_model";
import { McRunner } from "./mc_runner";
import { RunPanel } from "./run_panel";
import { ScenarioEditor } from "./scenario_editor";
import { InputStore } from "./storage";
import { UnitEditor } from "./unit_editor";

interface Shipped {
  inputs: Record<string, string>;  // VORN.IN texts, Latin-1
  scenarios: Record<string, string>;
  sheets: Record<string, string>;  // stream sheets
}

const shipped: Shipped = JSON.parse(element("vorn-examples").textContent ?? "{}");
const engine = new EngineClient();
const store = new InputStore();
let state: InputState = new_state();

const unit_editor = new UnitEditor(element("unit-fields"), () => check_unit());
const chemical_table = new ChemicalTable(element("chemical-table"), engine, (r) => (r >= 0 ? check_row(r) : after_change()));
const daf_editor = new DafEditor(element("daf-rows"), () => check_daf());
const run_panel = new RunPanel(engine, () => state);
const scenario_editor = new ScenarioEditor(
  engine,
  () => state.chemicals.map((c) => ({ cas: c.texts.CHEMCAS.trim(), name: c.texts.CHEMNAME.trim() })),
  () => save(),
);
new McRunner(engine, () => scenario_editor.text.value, async () => (await run_panel.input()).bytes);

const save = debounced(() => {
  void store.save("current", { state, scenario: scenario_editor.text.value });
}, 400);

// The counts of what the checks found, said once the checks have settled.
const summarize = debounced(() => {
  const all: Finding[] = [...state.unitFindings, ...state.chemicals.flatMap((c) => c.findings), ...state.dafFindings];
  const errors = all.filter((f) => f.kind !== "warning").length;
  const warnings = all.length - errors;
  const text = `${errors} error${errors === 1 ? "" : "s"} and ${warnings} warning${warnings === 1 ? "" : "s"} in the input.`;
  element("check-summary").textContent = text;
  announce(text);
}, 600);

function after_change(): void {
  save();
  summarize();
}

const check_unit = debounced(async () => {
  state.unitFindings = await engine.call("checkUnit", [state.unit]);
  unit_editor.show(state.unitFindings);
  after_change();
}, 150);

const pending_rows = new Set<number>();
const check_rows = debounced(async () => {
  const rows = [...pending_rows];
  pending_rows.clear();
  const current = state;
  if (rows.length > 1) {
    // A table opened whole: one call for every row, the page's rows marked once.
    const findings = await engine.call("checkChemicals", [current.chemicals.map((c) => c.texts)]);
    findings.forEach((f, r) => (current.chemicals[r].findings = f));
    if (current === state) chemical_table.show_page_findings();
  } else if (rows.length === 1) {
    const row = current.chemicals[rows[0]];
    if (!row) return;
    row.findings = await engine.call("checkChemical", [row.texts, rows[0] + 1]);
    if (current === state) chemical_table.show_findings(rows[0]);
  }
  after_change();
}, 150);

function check_row(r: number): void {
  pending_rows.add(r);
  check_rows();
}

const check_daf = debounced(async () => {
  state.dafFindings = await engine.call("checkDaf", [state.daf]);
  daf_editor.show(state.dafFindings);
  after_change();
}, 150);

function show_state(note: string): void {
  element("input-state").textContent = note;
  unit_editor.render(state);
  chemical_table.render(state);
  daf_editor.render(state);
  element("editor").hidden = false;
  check_unit();
  state.chemicals.forEach((_, r) => pending_rows.add(r));
  check_rows();
  check_daf();
  save();
}

async function open_input(name: string, bytes: Uint8Array, what: string): Promise<void> {
  const read = await engine.call("formOfInput", [bytes.slice()]);
  if (read.ok && read.form) {
    state = state_of_form(name, bytes, read.form);
    show_state(`Opened ${what} (${bytes.length} bytes, ${state.chemicals.length} chemicals).`);
  } else {
    state = { ...new_state(), name, original: bytes, edited: false };
    show_state(`Opened ${what}; it cannot be edited here (${read.message}). It runs as it is.`);
  }
  announce(element("input-state").textContent ?? "");
}

async function open_sheet(name: string, bytes: Uint8Array, what: string): Promise<void> {
  const filled = await engine.call("fillSheet", [bytes, name, null]);
  if (!filled.ok || !filled.input) {
    element("input-state").textContent = `The stream sheet cannot be filled: ${(filled.problems ?? []).join("; ")}`;
    announce(element("input-state").textContent ?? "");
    return;
  }
  await open_input(name.replace(/\.csv$/i, ""), filled.input, `${what}, filled from the library`);
  state.edited = true;
  for (const s of filled.sources) {
    const row = state.chemicals[s.index - 1];
    if (row && s.field in row.texts) row.sources[s.field] = s;
  }
  chemical_table.render(state);
  save();
}

async function open_file(file: File): Promise<void> {
  const bytes = new Uint8Array(await file.arrayBuffer());
  if (/\.csv$/i.test(file.name)) await open_sheet(file.name, bytes, file.name);
  else await open_input(file.name === "VORN.IN" ? "VORN.IN" : file.name, bytes, file.name);
}

async function load_library(): Promise<void> {
  const packed = element("vorn-library").textContent ?? "";
  const gz = Uint8Array.from(atob(packed.trim()), (c) => c.charCodeAt(0));
  const inflated = new Response(new Blob([gz]).stream().pipeThrough(new DecompressionStream("gzip")));
  const text = new Uint8Array(await inflated.arrayBuffer());
  const r = await engine.call("loadLibrary", [text, "compiled snapshot"], { transfer: [text.buffer] });
  element("library-state").textContent = r.ok ? `Chemical library: ${r.chemicals} chemicals (EPA tables of 2017).` : `The chemical library did not load: ${r.message}`;
}

function wire_start(): void {
  const select = element<HTMLSelectElement>("example-select");
  for (const name of Object.keys(shipped.inputs)) select.append(new Option(`${name} (VORN.IN)`, `input:${name}`));
  for (const name of Object.keys(shipped.sheets)) select.append(new Option(`${name} (stream sheet)`, `sheet:${name}`));
  element("example-open").addEventListener("click", () => {
    const [kind, name] = select.value.split(":");
    if (kind === "input") void open_input(name, latin1_bytes(shipped.inputs[name]), `the ${name} example`);
    else void open_sheet(name, new TextEncoder().encode(shipped.sheets[name]), `the ${name} stream sheet`);
  });
  element<HTMLInputElement>("file-input").addEventListener("change", (event) => {
    const file = (event.target as HTMLInputElement).files?.[0];
    if (file) void open_file(file);
  });
  element("new-input").addEventListener("click", () => {
    state = new_state();
    show_state("A new input: give the unit's values and add chemicals.");
  });
  const zone = element("drop-zone");
  zone.addEventListener("dragover", (event) => {
    event.preventDefault();
    zone.classList.add("over");
  });
  zone.addEventListener("dragleave", () => zone.classList.remove("over"));
  zone.addEventListener("drop", (event) => {
    event.preventDefault();
    zone.classList.remove("over");
    const file = event.dataTransfer?.files[0];
    if (file) void open_file(file);
  });
  zone.addEventListener("keydown", (event) => {
    if (event.key === "Enter" || event.key === " ") {
      event.preventDefault();
      element("file-input").click();
    }
  });
  const scenarios = element<HTMLSelectElement>("scenario-select");
  for (const name of Object.keys(shipped.scenarios)) scenarios.append(new Option(name, name));
  element("scenario-open").addEventListener("click", () => {
    scenario_editor.text.value = shipped.scenarios[scenarios.value];
    save();
    announce(`Loaded the ${scenarios.value} scenario.`);
  });
  element<HTMLInputElement>("scenario-file").addEventListener("change", async (event) => {
    const file = (event.target as HTMLInputElement).files?.[0];
    if (!file) return;
    scenario_editor.text.value = await file.text();
    save();
    announce(`Loaded ${file.name}.`);
  });
}

async function start(): Promise<void> {
  wire_start();
  const persistent = await store.open();
  element("storage-state").textContent = persistent
    ? "Your inputs are kept in this browser, so a reload loses nothing."
    : "Your inputs are kept for this session only: this browser gives a page opened from a file no storage.";
  const version = await engine.ready;
  element("engine-state").textContent = `Engine ${version} ready.`;
  element<HTMLButtonElement>("run-button").disabled = false;
  element<HTMLButtonElement>("mc-run").disabled = false;
  const kept = await store.load<{ state: InputState; scenario: string }>("current");
  if (kept?.state) {
    state = kept.state;
    scenario_editor.text.value = kept.scenario ?? "";
    show_state(`Restored the input you were editing: ${state.name}.`);
  }
  if (!scenario_editor.text.value) scenario_editor.text.value = shipped.scenarios.scenario ?? "";
  document.body.dataset.ready = "true";
  await load_library();
}

void start().catch((e) => {
  element("engine-state").textContent = `The engine failed: ${e}`;
});
