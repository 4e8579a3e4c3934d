// The input being edited: the field texts as the user typed them, where each library value
// came from, and what the engine's checks say of each field.
import type { FieldTexts, Finding, InputForm, ValueSource } from "./engine_types";
import { kChemicalHelp, kDafHelp, kUnitHelp } from "./field_help";

export interface ChemicalRow {
  texts: FieldTexts;
  // Per field, where its value came from (a fill from the library, or the user's entry).
  sources: Record<string, ValueSource>;
  findings: Finding[];
}

export interface InputState {
  name: string;  // the stream's name, as the report's provenance gives it
  // The bytes opened, run as they are until a field is edited.
  original: Uint8Array | null;
  edited: boolean;
  unit: FieldTexts;
  unitFindings: Finding[];
  chemicals: ChemicalRow[];
  daf: FieldTexts[];
  dafFindings: Finding[];
}

export function empty_texts(fields: { field: string }[]): FieldTexts {
  const t: FieldTexts = {};
  for (const f of fields) t[f.field] = "";
  return t;
}

export function new_state(): InputState {
  const unit = empty_texts(kUnitHelp);
  Object.assign(unit, { WU_SITEKEY: "1", WU_WMUTYPE: "LF", WU_RISKFACT: "1e-5", WU_HQFACT: "1", WU_VOLUNIT: "0", WU_SIFLOW: "0" });
  return { name: "stream", original: null, edited: true, unit, unitFindings: [], chemicals: [], daf: [], dafFindings: [] };
}

export function state_of_form(name: string, original: Uint8Array | null, form: InputForm): InputState {
  return {
    name,
    original,
    edited: false,
    unit: form.unit,
    unitFindings: [],
    chemicals: form.chemicals.map((texts) => ({ texts, sources: {}, findings: [] })),
    daf: form.daf,
    dafFindings: [],
  };
}

export function form_of_state(s: InputState): InputForm {
  return { unit: s.unit, chemicals: s.chemicals.map((c) => c.texts), daf: s.daf };
}

export function new_chemical(): ChemicalRow {
  const texts = empty_texts(kChemicalHelp);
  Object.assign(texts, { TCLPFLAG: "N", TOTFLAG: "N" });
  return { texts, sources: {}, findings: [] };
}

export function new_daf_row(cas = ""): FieldTexts {
  const row = empty_texts(kDafHelp);
  row.CHEMCAS = cas;
  return row;
}

// A value the user typed over one the library gave: marked "user", the library's kept as the
// value it replaced.
export function mark_user(row: ChemicalRow, field: string, text: string): void {
  const was = row.sources[field];
  if (!was) return;
  row.sources[field] = {
    ...was,
    value: text,
    origin: "user",
    source: "entered in the page",
    note: was.origin === "user" ? was.note : `replaces ${was.value} (${was.origin}${was.table ? `, ${was.table}` : ""})`,
  };
}

// sources.csv as `vorn fill` writes it (RFC 4180, CRLF): one row per value with a source.
export function sources_csv(s: InputState): string {
  const header = "index,CHEMCAS,variant,CHEMNAME,field,value,unit,origin,library,source,table,date,derivation,note,action,pathways";
  const field = (t: string) => (/[",\r\n]/.test(t) ? `"${t.replace(/"/g, '""')}"` : t);
  const lines = [header];
  s.chemicals.forEach((c, k) => {
    for (const help of kChemicalHelp) {
      const v = c.sources[help.field];
      if (!v) continue;
      const name = help.field === "ORDI" ? "RFCI" : help.field;
      lines.push([String(k + 1), c.texts.CHEMCAS, "", c.texts.CHEMNAME, name, c.texts[help.field], v.unit, v.origin,
        v.library, v.source, v.table, v.date, v.derivation, v.note, v.action, v.pathways].map(field).join(","));
    }
  });
  return lines.join("\r\n") + "\r\n";
}
