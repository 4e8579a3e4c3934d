// The chemicals as an editable table, a page of rows at a time so that a stream of a thousand
// chemicals stays quick: every value a labelled field, missing values highlighted, values the
// user typed over the library's marked "user", each row's sources on demand, and chemicals
// added from the embedded library by CAS number or name.
import { announce, h } from "./dom";
import type { EngineClient } from "./engine_client";
import type { Finding, LibraryEntry } from "./engine_types";
import { kChemicalHelp, is_missing } from "./field_help";
import { kind_word, mark_field } from "./field_marks";
import { type ChemicalRow, type InputState, mark_user, new_chemical } from "./input_model";

const kPageRows = 25;

export class ChemicalTable {
  private page = 0;
  private cells = new Map<string, HTMLInputElement>();  // "row:field"
  private shown_sources: number | null = null;
  private state: InputState | null = null;

  constructor(
    private readonly root: HTMLElement,
    private readonly engine: EngineClient,
    private readonly changed: (row: number, field: string | null) => void,
  ) {}

  render(state: InputState): void {
    this.state = state;
    this.page = Math.min(this.page, Math.max(0, Math.ceil(state.chemicals.length / kPageRows) - 1));
    this.root.replaceChildren(this.add_tools(), this.table(), this.pager(), this.sources_panel(), this.problems());
  }

  // Marks the fields of row `r` (0-based) with its findings, where the row is on the page.
  show_findings(r: number): void {
    const row = this.state?.chemicals[r];
    if (!row || Math.floor(r / kPageRows) !== this.page) return;
    for (const help of kChemicalHelp) {
      const input = this.cells.get(`${r}:${help.field}`);
      if (input) mark_field(input, null, row.findings.filter((f) => f.field === help.field));
    }
    this.root.querySelector(".problems")?.replaceWith(this.problems());
  }

  // Marks every row of the page with its findings (after the whole table was checked).
  show_page_findings(): void {
    if (!this.state) return;
    const first = this.page * kPageRows;
    for (let r = first; r < Math.min(this.state.chemicals.length, first + kPageRows); ++r) {
      const row = this.state.chemicals[r];
      for (const help of kChemicalHelp) {
        const input = this.cells.get(`${r}:${help.field}`);
        if (input) mark_field(input, null, row.findings.filter((f) => f.field === help.field));
      }
    }
    this.root.querySelector(".problems")?.replaceWith(this.problems());
  }

  private add_tools(): HTMLElement {
    const find = h("input", { id: "chem-find", type: "text", autocomplete: "off", "aria-describedby": "chem-find-help" });
    const matches = h("ul", { id: "chem-matches", class: "matches", "aria-live": "polite" });
    const go = h("button", { type: "button", id: "chem-find-button" }, "Find");
    const search = async () => {
      const text = find.value.trim();
      if (!text) return;
      const found = await this.engine.call("findChemicals", [text, 20]);
      matches.replaceChildren();
      if (found.length === 0) {
        matches.append(h("li", {}, `No chemical of the library matches “${text}”.`));
        announce(`No chemical matches ${text}.`);
        return;
      }
      if (found.length === 1 && /^\d/.test(text)) return void this.add_from_library(found[0]);
      for (const e of found)
        matches.append(h("li", {}, this.match_button(e)));
      announce(`${found.length} chemicals match ${text}: choose one.`);
    };
    go.addEventListener("click", () => void search());
    find.addEventListener("keydown", (event) => {
      if (event.key === "Enter") void search();
    });
    const empty = h("button", { type: "button" }, "Add an empty row");
    empty.addEventListener("click", () => this.add_row(new_chemical()));
    return h(
      "div",
      { class: "chemical-tools" },
      h("label", { for: "chem-find" }, "Add a chemical from the library"),
      find,
      go,
      empty,
      h("span", { id: "chem-find-help", class: "help" }, "A CAS number (71-43-2, 7440-43-9:water) or part of a name."),
      matches,
    );
  }

  private match_button(e: LibraryEntry): HTMLButtonElement {
    const b = h("button", { type: "button", class: "link" }, `${e.name} (${e.key})`);
    b.addEventListener("click", () => void this.add_from_library(e));
    return b;
  }

  private async add_from_library(e: LibraryEntry): Promise<void> {
    const landfill = (this.state?.unit.WU_WMUTYPE ?? "LF").trim().toUpperCase() !== "SI";
    const filled = await this.engine.call("fillChemical", [e.key, landfill]);
    if (!filled.ok || !filled.values) {
      announce(`${e.key}: ${filled.message}`);
      return;
    }
    const row = new_chemical();
    for (const help of kChemicalHelp) {
      const v = filled.values[help.field];
      if (!v || help.field === "TCLPCONC" || help.field === "TOTC") continue;
      if (help.field === "TCLPFLAG" || help.field === "TOTFLAG") continue;
      row.texts[help.field] = v.value;
      row.sources[help.field] = v;
    }
    row.texts.CHEMCAS = e.id;
    this.root.querySelector("#chem-matches")?.replaceChildren();
    const problems = filled.problems ?? [];
    this.add_row(row, problems);
  }

  private add_row(row: ChemicalRow, notes: string[] = []): void {
    const s = this.state!;
    s.chemicals.push(row);
    s.edited = true;
    const r = s.chemicals.length - 1;
    this.page = Math.floor(r / kPageRows);
    this.shown_sources = Object.keys(row.sources).length > 0 ? r : this.shown_sources;
    this.render(s);
    this.changed(r, null);
    const name = row.texts.CHEMNAME || "a new chemical";
    announce(`Added chemical ${r + 1}: ${name}.${notes.length ? ` ${notes.join(" ")}` : ""} Supply its leachate and total concentrations.`);
    this.cells.get(`${r}:${row.texts.CHEMNAME ? "TCLPCONC" : "CHEMNAME"}`)?.focus();
  }

  private table(): HTMLElement {
    const s = this.state!;
    this.cells.clear();
    const head = h("tr", {}, h("th", { scope: "col" }, "#"), ...kChemicalHelp.map((help) =>
      h("th", { scope: "col", title: help.help }, help.label, help.unit ? h("span", { class: "unit" }, help.unit) : null)),
    h("th", { scope: "col" }, "Actions"));
    const body = h("tbody");
    const first = this.page * kPageRows;
    for (let r = first; r < Math.min(s.chemicals.length, first + kPageRows); ++r) body.append(this.row(r));
    return h(
      "div",
      { class: "table-scroll", tabindex: "0", role: "region", "aria-label": "Chemicals (scrolls sideways)" },
      h("table", { class: "chemicals" }, h("caption", {}, `Chemicals of the stream: ${s.chemicals.length}`), h("thead", {}, head), body),
    );
  }

  private row(r: number): HTMLTableRowElement {
    const row = this.state!.chemicals[r];
    const tr = h("tr", {}, h("th", { scope: "row" }, String(r + 1)));
    for (const help of kChemicalHelp) {
      const text = row.texts[help.field] ?? "";
      const origin = row.sources[help.field]?.origin;
      const input = h("input", {
        type: "text",
        autocomplete: "off",
        spellcheck: "false",
        size: help.kind === "name" ? 18 : help.kind === "text" ? 9 : 8,
        "aria-label": `${help.label} of chemical ${r + 1}${row.texts.CHEMNAME ? ` (${row.texts.CHEMNAME})` : ""}`,
        "data-row": r,
        "data-field": help.field,
      });
      input.value = text;
      const cell = h("td", {}, input);
      const mark = () => {
        const missing = origin === "missing" || is_missing(help.field, input.value) || (input.value.trim() === "" && help.kind !== "text");
        cell.classList.toggle("missing", missing);
        cell.classList.toggle("user", row.sources[help.field]?.origin === "user");
      };
      mark();
      if (origin === "user" || row.sources[help.field]) cell.append(h("span", { class: "origin" }, row.sources[help.field].origin === "user" ? "user" : ""));
      input.addEventListener("input", () => {
        row.texts[help.field] = input.value;
        mark_user(row, help.field, input.value);
        this.state!.edited = true;
        mark();
        const badge = cell.querySelector(".origin");
        if (badge) badge.textContent = row.sources[help.field]?.origin === "user" ? "user" : "";
        this.changed(r, help.field);
      });
      this.cells.set(`${r}:${help.field}`, input);
      mark_field(input, null, row.findings.filter((f) => f.field === help.field));
      tr.append(cell);
    }
    const sources = h("button", { type: "button", "aria-expanded": this.shown_sources === r ? "true" : "false" }, "Sources");
    sources.setAttribute("aria-label", `Sources of chemical ${r + 1}`);
    sources.addEventListener("click", () => {
      this.shown_sources = this.shown_sources === r ? null : r;
      this.render(this.state!);
      (this.root.querySelector("#sources-panel") as HTMLElement | null)?.focus();
    });
    const remove = h("button", { type: "button", class: "secondary", "aria-label": `Remove chemical ${r + 1}` }, "Remove");
    remove.addEventListener("click", () => {
      this.state!.chemicals.splice(r, 1);
      this.state!.edited = true;
      this.shown_sources = null;
      this.render(this.state!);
      this.changed(-1, null);
      announce(`Removed chemical ${r + 1}.`);
    });
    tr.append(h("td", { class: "actions" }, sources, remove));
    return tr;
  }

  private pager(): HTMLElement {
    const n = this.state!.chemicals.length;
    const pages = Math.max(1, Math.ceil(n / kPageRows));
    const first = this.page * kPageRows;
    const label = n === 0 ? "No chemicals yet." : `Chemicals ${first + 1}–${Math.min(n, first + kPageRows)} of ${n}`;
    const previous = h("button", { type: "button", disabled: this.page === 0 }, "Previous");
    const next = h("button", { type: "button", disabled: this.page + 1 >= pages }, "Next");
    const go = (page: number) => {
      this.page = page;
      this.render(this.state!);
      announce(`Page ${page + 1} of ${pages}.`);
    };
    previous.addEventListener("click", () => go(this.page - 1));
    next.addEventListener("click", () => go(this.page + 1));
    return h("nav", { class: "pager", "aria-label": "Pages of chemicals" }, previous, h("span", {}, label), next);
  }

  private sources_panel(): HTMLElement {
    const r = this.shown_sources;
    const row = r === null ? undefined : this.state!.chemicals[r];
    if (r === null || !row) return h("section", { id: "sources-panel", hidden: true });
    const entries = kChemicalHelp.filter((help) => row.sources[help.field]);
    const body = entries.map((help) => {
      const v = row.sources[help.field];
      return h("tr", { class: v.origin }, h("th", { scope: "row" }, help.field), h("td", {}, row.texts[help.field]), h("td", {}, v.unit),
        h("td", {}, v.origin), h("td", {}, v.source), h("td", {}, v.table), h("td", {}, v.date),
        h("td", {}, [v.derivation, v.note, v.action ? `${v.action}: ${v.pathways}` : ""].filter(Boolean).join("; ")));
    });
    return h(
      "section",
      { id: "sources-panel", tabindex: "-1", "aria-labelledby": "sources-heading" },
      h("h3", { id: "sources-heading" }, `Sources of chemical ${r + 1}: ${row.texts.CHEMNAME || row.texts.CHEMCAS}`),
      entries.length === 0
        ? h("p", {}, "Its values were typed or read from a VORN.IN: no library source.")
        : h("table", { class: "sources" },
            h("thead", {}, h("tr", {}, ...["Field", "Value", "Unit", "Origin", "Source", "Table", "Date", "How"].map((t) => h("th", { scope: "col" }, t)))),
            h("tbody", {}, ...body)),
    );
  }

  // The findings of the page's rows, each with a button that takes the focus to its field;
  // folded when they are warnings only.
  private problems(): HTMLElement {
    const s = this.state!;
    const list = h("ul");
    const first = this.page * kPageRows;
    let errors = 0, warnings = 0;
    for (let r = first; r < Math.min(s.chemicals.length, first + kPageRows); ++r) {
      for (const f of s.chemicals[r].findings) {
        const go = h("button", { type: "button", class: `link ${f.kind}` }, `Chemical ${r + 1}, ${f.field}`);
        go.addEventListener("click", () => this.cells.get(`${r}:${f.field}`)?.focus());
        list.append(h("li", {}, go, `: ${kind_word(f.kind)}: ${f.text}`));
        if (f.kind === "warning") ++warnings;
        else ++errors;
      }
    }
    return h("details", { class: "problems", open: errors > 0, hidden: errors + warnings === 0 },
      h("summary", {}, `On this page: ${errors} error${errors === 1 ? "" : "s"}, ${warnings} warning${warnings === 1 ? "" : "s"}`), list);
  }
}

export function count_findings(findings: Finding[]): Record<Finding["kind"], number> {
  const n = { fatal: 0, stop: 0, warning: 0 };
  for (const f of findings) n[f.kind] += 1;
  return n;
}
