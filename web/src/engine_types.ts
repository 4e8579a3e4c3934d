// What the engine module (web/src/*_binding.cpp) gives JavaScript.

export interface RunResult {
  status: string;  // "completed", "input missing", "stopped", "fatal input error"
  exitStatus: number;  // the program's exit status for the run
  message: Uint8Array;
  stdout: Uint8Array;
  stderr: Uint8Array;
  report: Uint8Array | null;  // VORN.OUT, when the run opened it
  log: Uint8Array;  // VORN.DBG
  json: Uint8Array;
  csv: Uint8Array | null;  // completed runs only
  html: Uint8Array;
}

// What `vorn mc` takes on its command line beside the scenario; sobol: the base rows of a
// Saltelli design (`--sobol --base-samples`).
export interface McOptions {
  realizations?: number;
  outer?: number;
  inner?: number;
  seed?: number;
  sobol?: number;
}

export interface McPlan {
  ok: boolean;
  message?: string;
  problems?: string[];
  nested: boolean;
  targetPrecision: boolean;
  shardable: boolean;
  correlated: boolean;
  realizations: number;
  outer: number;
  inner: number;
}

export interface McShardResult {
  ok: boolean;
  status: string;
  exitStatus: number;
  message: string;
  problems?: string[];
  part: Uint8Array | null;
}

export interface McDocuments {
  ok: boolean;
  message?: string;
  kind?: string;
  json?: Uint8Array;
  csv?: Uint8Array;
  html?: Uint8Array;
}

export interface Finding {
  field: string;
  chemical: number;  // 1-based; 0 for the unit
  kind: "fatal" | "stop" | "warning";
  text: string;
}

export type FieldTexts = Record<string, string>;

export interface InputForm {
  unit: FieldTexts;
  chemicals: FieldTexts[];
  daf: FieldTexts[];
}

export interface ValueSource {
  value: string;
  unit: string;
  origin: string;  // user, library, derived, default, missing
  library: string;
  source: string;
  table: string;
  date: string;
  derivation: string;
  note: string;
  action: string;
  pathways: string;
}

export interface LibraryEntry {
  key: string;
  id: string;
  variant: string;
  name: string;
}

export interface FilledChemical {
  ok: boolean;
  message?: string;
  key?: string;
  values?: Record<string, ValueSource>;
  problems?: string[];
}

export interface FilledSheet {
  ok: boolean;
  problems: string[];
  notices?: string[];
  input?: Uint8Array;
  sources: (ValueSource & { index: number; field: string })[];
}

export interface DistributionPreview {
  ok: boolean;
  problems?: string[];
  family?: string;
  mean?: number;
  sd?: number;
  logScale?: boolean;
  discrete?: boolean;
  percentiles?: { p: number; x: number }[];
  bins?: { from: number; to: number; density: number }[];
}

export interface EngineModule {
  version(): string;
  runInput(input: Uint8Array, date: string, name: string): RunResult;
  mcPlan(scenario: string, options: McOptions): McPlan;
  mcShard(scenario: string, input: Uint8Array, options: McOptions, index: number, count: number,
    progress: (done: number, total: number) => void): McShardResult;
  mcDocuments(parts: Uint8Array[], date: string): McDocuments;
  readValue(text: string, kind: "real" | "integer"): { ok: boolean; value: number; message: string };
  checkUnit(unit: FieldTexts): Finding[];
  checkChemical(chemical: FieldTexts, index: number): Finding[];
  checkChemicals(chemicals: FieldTexts[]): Finding[][];
  checkDaf(rows: FieldTexts[]): Finding[];
  formOfInput(input: Uint8Array): { ok: boolean; message?: string; form?: InputForm };
  writeInput(form: InputForm): { ok: boolean; problems: Finding[]; input: Uint8Array | null };
  loadLibrary(text: Uint8Array, origin: string): { ok: boolean; message?: string; chemicals?: number };
  findChemicals(text: string, limit: number): LibraryEntry[];
  fillChemical(key: string, landfill: boolean): FilledChemical;
  fillSheet(sheet: Uint8Array, name: string, daf: Uint8Array | null): FilledSheet;
  distributionPreview(dist: string, bins: number): DistributionPreview;
  readableNumber(value: number): string;
  distributionFamilies(): { name: string; keys: string[] }[];
}
