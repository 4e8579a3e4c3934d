// The page's worker: the engine module is loaded here, runs each input it is sent and
// answers with every file and document of the run. Its script is the engine's code
// followed by this one, started from a Blob URL (a page opened from a file can load nothing
// else).
import type { EngineModule, RunResult } from "./engine_types";

declare const createVornEngine: () => Promise<EngineModule>;

export interface RunRequest {
  id: number;
  input: Uint8Array;
}

export type WorkerMessage =
  | { kind: "ready"; version: string }
  | { kind: "result"; id: number; result: RunResult }
  | { kind: "error"; id: number; message: string };

const scope = self as unknown as {
  postMessage(message: WorkerMessage, transfer?: Transferable[]): void;
  onmessage: ((event: MessageEvent<RunRequest>) => void) | null;
};

const engine = createVornEngine();

engine.then(
  (m) => scope.postMessage({ kind: "ready", version: m.version() }),
  (e) => scope.postMessage({ kind: "error", id: 0, message: `the engine did not start: ${e}` }),
);

scope.onmessage = (event) => {
  const { id, input } = event.data;
  engine
    .then((m) => {
      const result = m.runInput(input);
      const buffers = [result.message, result.stdout, result.stderr, result.report, result.log, result.json, result.csv, result.html]
        .filter((b): b is Uint8Array => b !== null)
        .map((b) => b.buffer as ArrayBuffer);
      scope.postMessage({ kind: "result", id, result }, buffers);
    })
    .catch((e) => scope.postMessage({ kind: "error", id, message: String(e) }));
};
