// What the engine module (engine_binding.cpp) gives JavaScript.

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

export interface EngineModule {
  runInput(input: Uint8Array): RunResult;
  version(): string;
}
