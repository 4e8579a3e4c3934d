// The scenario: its TOML text (loaded from a file, a shipped scenario, or built here) and a
// form that adds an input that varies, with a live preview of its distribution's density and
// percentiles from the engine's own reading of it.
import { announce, debounced, element, h } from "./dom";
import type { EngineClient } from "./engine_client";
import { density_chart } from "./density_chart";
import { human_number } from "./human_number";

// Where a family's parameter starts, for the first preview of a lognormal.
const kStartValues: Record<string, string> = { gm: "1.0", gsd: "1.5" };

const kFields = ["WU_WASTEVOL", "WU_ACTLIFE", "WU_RISKFACT", "WU_HQFACT", "TCLPCONC", "TOTC", "DAF", "MCL", "CSFO", "CSFI",
  "ORDO", "ORDI", "BCF", "SOILST", "TOX_C", "HENRY", "DIFFW", "DIFFA", "SOL", "KPW", "BAF", "ECOCHRON", "MW", "VP", "KDSW", "LOGKOW"];

function quoted(text: string): string {
  return `"${text.replace(/\\/g, "\\\\").replace(/"/g, '\\"')}"`;
}

export class ScenarioEditor {
  readonly text = element<HTMLTextAreaElement>("scenario-text");
  private readonly preview = element("dist-preview");
  private readonly params = element("dist-params");
  private values = new Map<string, HTMLInputElement>();
  // The family table's names and the parameters each reads, from the engine.
  private families = new Map<string, string[]>();

  constructor(
    private readonly engine: EngineClient,
    private readonly chemicals: () => { cas: string; name: string }[],
    private readonly changed: () => void,
  ) {
    const family = element<HTMLSelectElement>("dist-family");
    void engine.call("distributionFamilies", []).then((families) => {
      for (const f of families) {
        this.families.set(f.name, f.keys);
        family.append(h("option", { value: f.name }, f.name));
      }
      family.value = this.families.has("lognormal") ? "lognormal" : families[0]?.name ?? "";
      this.parameters();
    });
    const field = element<HTMLSelectElement>("vary-field");
    for (const f of kFields) field.append(h("option", { value: f }, f));
    family.addEventListener("change", () => this.parameters());
    field.addEventListener("change", () => this.chemical_choices());
    element("vary-chemical").addEventListener("focus", () => this.chemical_choices());
    element<HTMLButtonElement>("vary-add").addEventListener("click", () => this.add());
    this.text.addEventListener("input", () => this.changed());
    this.chemical_choices();
  }

  private chemical_choices(): void {
    const select = element<HTMLSelectElement>("vary-chemical");
    const field = element<HTMLSelectElement>("vary-field").value;
    const keep = select.value;
    select.replaceChildren();
    select.disabled = field.startsWith("WU_");
    if (select.disabled) return;
    select.append(h("option", { value: "each" }, "each chemical on its own"), h("option", { value: "*" }, "every chemical together"));
    for (const c of this.chemicals()) select.append(h("option", { value: c.cas }, `${c.name} (${c.cas})`));
    if ([...select.options].some((o) => o.value === keep)) select.value = keep;
  }

  // A field per parameter the family reads; those left blank are not given (the reader
  // then names a missing one, or takes its default).
  private parameters(): void {
    const keys = this.families.get(element<HTMLSelectElement>("dist-family").value) ?? [];
    const old = new Map([...this.values].map(([k, v]) => [k, v.value]));
    this.values.clear();
    const fields = keys.map((name) => {
      const id = `dist-${name}`;
      const input = h("input", { id, type: "text", autocomplete: "off", size: 10, "aria-describedby": "dist-help" });
      input.value = old.get(name) ?? kStartValues[name] ?? "";
      input.addEventListener("input", this.update);
      this.values.set(name, input);
      return h("div", { class: "param" }, h("label", { for: id }, name), input);
    });
    this.params.replaceChildren(...fields);
    this.update();
  }

  // The inline table the scenario gets: `{ type = "lognormal", gm = 1.0, gsd = 1.5 }`, each
  // number as typed; lists ("values") as typed between brackets.
  private dist(): string {
    const parts = [`type = ${quoted(element<HTMLSelectElement>("dist-family").value)}`];
    for (const [name, input] of this.values) {
      const v = input.value.trim();
      if (v === "") continue;
      // Lists (values, weights, cdf) as typed between brackets.
      parts.push(`${name} = ${/^(values|weights|cdf)$/.test(name) && !v.startsWith("[") ? `[${v}]` : v}`);
    }
    return `{ ${parts.join(", ")} }`;
  }

  private update = debounced(async () => {
    const preview = await this.engine.call("distributionPreview", [this.dist(), 60]);
    if (!preview.ok) {
      const problems = (preview.problems ?? []).map((p) => p.replace(/^dist:\d+:\d+: vary\[1\]\.dist\.?/, ""));
      this.preview.replaceChildren(h("ul", { class: "problems" }, ...problems.map((p) => h("li", { class: "fatal" }, p))));
      announce(`The distribution: ${problems.join("; ")}`);
      return;
    }
    const table = h("table", { class: "percentiles" },
      h("caption", {}, `${preview.family}: mean ${human_number(preview.mean!)}, standard deviation ${human_number(preview.sd!)}`),
      h("thead", {}, h("tr", {}, ...(preview.percentiles ?? []).map((p) => h("th", { scope: "col" }, `P${p.p}`)))),
      h("tbody", {}, h("tr", {}, ...(preview.percentiles ?? []).map((p) => h("td", {}, human_number(p.x))))));
    this.preview.replaceChildren(density_chart(preview), table);
  }, 120);

  private add(): void {
    const field = element<HTMLSelectElement>("vary-field").value;
    const chemical = element<HTMLSelectElement>("vary-chemical");
    const lines = ["", "[[vary]]"];
    if (!chemical.disabled) lines.push(`chemical = ${quoted(chemical.value)}`);
    lines.push(`field = ${quoted(field)}`);
    const mode = element<HTMLSelectElement>("vary-mode").value;
    if (mode !== "value") lines.push(`mode = ${quoted(mode)}`);
    const kind = element<HTMLSelectElement>("vary-kind").value;
    if (kind !== "variability") lines.push(`kind = ${quoted(kind)}`);
    lines.push(`dist = ${this.dist()}`);
    this.text.value = `${this.text.value.replace(/\s*$/, "")}\n${lines.join("\n")}\n`;
    this.changed();
    announce(`Added ${field} to the scenario.`);
  }
}
