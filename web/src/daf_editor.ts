// The DAF rows: the site's dilution-attenuation factors per chemical, an editable table.
import { announce, h } from "./dom";
import type { Finding } from "./engine_types";
import { kDafHelp } from "./field_help";
import { mark_field } from "./field_marks";
import { type InputState, new_daf_row } from "./input_model";

export class DafEditor {
  private cells = new Map<string, HTMLInputElement>();

  constructor(
    private readonly root: HTMLElement,
    private readonly changed: () => void,
  ) {}

  render(state: InputState): void {
    this.cells.clear();
    const head = h("tr", {}, h("th", { scope: "col" }, "#"),
      ...kDafHelp.map((help) => h("th", { scope: "col", title: help.help }, help.label, help.unit ? h("span", { class: "unit" }, help.unit) : null)),
      h("th", { scope: "col" }, "Actions"));
    const body = h("tbody");
    state.daf.forEach((row, r) => {
      const tr = h("tr", {}, h("th", { scope: "row" }, String(r + 1)));
      for (const help of kDafHelp) {
        const input = h("input", { type: "text", size: help.kind === "text" ? 10 : 8, autocomplete: "off",
          "aria-label": `${help.label} of DAF row ${r + 1}`, "data-row": r, "data-field": help.field });
        input.value = row[help.field] ?? "";
        input.addEventListener("input", () => {
          row[help.field] = input.value;
          state.edited = true;
          this.changed();
        });
        this.cells.set(`${r}:${help.field}`, input);
        tr.append(h("td", {}, input));
      }
      const remove = h("button", { type: "button", class: "secondary", "aria-label": `Remove DAF row ${r + 1}` }, "Remove");
      remove.addEventListener("click", () => {
        state.daf.splice(r, 1);
        state.edited = true;
        this.render(state);
        this.changed();
        announce(`Removed DAF row ${r + 1}.`);
      });
      tr.append(h("td", {}, remove));
      body.append(tr);
    });
    const add = h("button", { type: "button" }, "Add a DAF row");
    add.addEventListener("click", () => {
      state.daf.push(new_daf_row());
      state.edited = true;
      this.render(state);
      this.changed();
      this.cells.get(`${state.daf.length - 1}:CHEMCAS`)?.focus();
    });
    this.root.replaceChildren(
      h("div", { class: "table-scroll", tabindex: "0", role: "region", "aria-label": "DAF rows (scrolls sideways)" },
        h("table", { class: "daf" }, h("caption", {}, `DAF rows: ${state.daf.length} (a chemical without rows takes the run's own DAF rule)`),
          h("thead", {}, head), body)),
      add,
    );
    this.show(state.dafFindings);
  }

  show(findings: Finding[]): void {
    for (const [key, input] of this.cells) {
      const [r, field] = key.split(":");
      mark_field(input, null, findings.filter((f) => f.chemical === Number(r) + 1 && f.field === field));
    }
  }
}
