// The eight unit parameters, each with its label, unit and help, checked as the user types.
import { h } from "./dom";
import type { Finding } from "./engine_types";
import { kUnitHelp } from "./field_help";
import { mark_field } from "./field_marks";
import type { InputState } from "./input_model";

export class UnitEditor {
  private inputs = new Map<string, { input: HTMLInputElement; message: HTMLElement }>();

  constructor(
    private readonly root: HTMLElement,
    private readonly changed: (field: string) => void,
  ) {}

  render(state: InputState): void {
    this.inputs.clear();
    const rows = kUnitHelp.map((help) => {
      const id = `unit-${help.field}`;
      const input = h("input", {
        id,
        type: "text",
        inputmode: help.kind === "text" ? "text" : "decimal",
        autocomplete: "off",
        spellcheck: "false",
        "aria-describedby": `${id}-help ${id}-message`,
        "data-field": help.field,
      });
      input.value = state.unit[help.field] ?? "";
      input.addEventListener("input", () => {
        state.unit[help.field] = input.value;
        state.edited = true;
        this.changed(help.field);
      });
      const message = h("span", { id: `${id}-message`, class: "field-message", hidden: true });
      this.inputs.set(help.field, { input, message });
      return h(
        "div",
        { class: "unit-field" },
        h("label", { for: id }, help.label, help.unit ? h("span", { class: "unit" }, ` (${help.unit})`) : null),
        input,
        h("span", { id: `${id}-help`, class: "help" }, `${help.field}: ${help.help}`),
        message,
      );
    });
    this.root.replaceChildren(...rows);
    this.show(state.unitFindings);
  }

  show(findings: Finding[]): void {
    for (const [field, { input, message }] of this.inputs)
      mark_field(input, message, findings.filter((f) => f.field === field));
  }
}
