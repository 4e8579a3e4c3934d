// A worker of the page: the engine module is loaded here and each call the page sends it is
// answered with the engine's result. Its script is the engine's code followed by this one,
// started from a Blob URL (a page opened from a file can load nothing else). A Monte Carlo
// shard reports its progress as it goes.
import type { EngineModule } from "./engine_types";

declare const createVornEngine: () => Promise<EngineModule>;

export type EngineFunction = Exclude<keyof EngineModule, "version">;

export interface CallRequest {
  id: number;
  fn: EngineFunction;
  args: unknown[];
}

export type WorkerMessage =
  | { kind: "ready"; version: string }
  | { kind: "result"; id: number; result: unknown }
  | { kind: "progress"; id: number; done: number; total: number }
  | { kind: "error"; id: number; message: string };

const scope = self as unknown as {
  postMessage(message: WorkerMessage, transfer?: Transferable[]): void;
  onmessage: ((event: MessageEvent<CallRequest>) => void) | null;
};

// Progress is posted at most this often.
const kProgressMs = 100;

// The byte arrays of a result, to hand over without a copy.
function buffers_of(value: unknown, out: ArrayBuffer[] = []): ArrayBuffer[] {
  if (value instanceof Uint8Array) {
    if (!out.includes(value.buffer as ArrayBuffer)) out.push(value.buffer as ArrayBuffer);
  } else if (Array.isArray(value)) {
    for (const v of value) buffers_of(v, out);
  } else if (value !== null && typeof value === "object") {
    for (const v of Object.values(value)) buffers_of(v, out);
  }
  return out;
}

const engine = createVornEngine();

engine.then(
  (m) => scope.postMessage({ kind: "ready", version: m.version() }),
  (e) => scope.postMessage({ kind: "error", id: 0, message: `the engine did not start: ${e}` }),
);

scope.onmessage = (event) => {
  const { id, fn, args } = event.data;
  engine
    .then((m) => {
      if (fn === "mcShard") {
        let last = 0;
        args[5] = (done: number, total: number) => {
          const now = Date.now();
          if (now - last < kProgressMs && done < total) return;
          last = now;
          scope.postMessage({ kind: "progress", id, done, total });
        };
      }
      const call = m[fn] as (...a: unknown[]) => unknown;
      const result = call(...args);
      scope.postMessage({ kind: "result", id, result }, buffers_of(result));
    })
    .catch((e) => scope.postMessage({ kind: "error", id, message: String(e) }));
};
