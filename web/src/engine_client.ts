// The page's side of a worker: calls into the engine module, answered by promises.
import type { EngineModule } from "./engine_types";
import type { CallRequest, EngineFunction, WorkerMessage } from "./worker";

type Result<F extends EngineFunction> = ReturnType<EngineModule[F]>;

// The worker's script (the engine and worker.ts), from the page's script element.
let worker_url: string | null = null;
function script_url(): string {
  if (worker_url === null) {
    const source = document.getElementById("vorn-worker")?.textContent ?? "";
    worker_url = URL.createObjectURL(new Blob([source], { type: "text/javascript" }));
  }
  return worker_url;
}

export class EngineClient {
  readonly ready: Promise<string>;
  private readonly worker: Worker;
  private next = 1;
  private readonly pending = new Map<
    number,
    { resolve: (v: unknown) => void; reject: (e: Error) => void; progress?: (done: number, total: number) => void }
  >();
  private failed: Error | null = null;

  constructor() {
    this.worker = new Worker(script_url());
    let started: (version: string) => void = () => {};
    let refused: (e: Error) => void = () => {};
    this.ready = new Promise<string>((resolve, reject) => {
      started = resolve;
      refused = reject;
    });
    this.worker.onmessage = (event: MessageEvent<WorkerMessage>) => {
      const m = event.data;
      if (m.kind === "ready") return started(m.version);
      if (m.kind === "error" && m.id === 0) return refused(new Error(m.message));
      const call = this.pending.get(m.id);
      if (!call) return;
      if (m.kind === "progress") return call.progress?.(m.done, m.total);
      this.pending.delete(m.id);
      if (m.kind === "result") call.resolve(m.result);
      else call.reject(new Error(m.message));
    };
    this.worker.onerror = (event) => this.fail(new Error(`the engine failed: ${event.message}`), refused);
  }

  call<F extends EngineFunction>(
    fn: F,
    args: unknown[],
    options: { transfer?: Transferable[]; progress?: (done: number, total: number) => void } = {},
  ): Promise<Result<F>> {
    if (this.failed) return Promise.reject(this.failed);
    const id = this.next++;
    return new Promise<Result<F>>((resolve, reject) => {
      this.pending.set(id, { resolve: resolve as (v: unknown) => void, reject, progress: options.progress });
      const request: CallRequest = { id, fn, args };
      this.worker.postMessage(request, options.transfer ?? []);
    });
  }

  // Ends the worker at once, whatever it is doing (Cancel); its calls fail.
  terminate(): void {
    this.worker.terminate();
    this.fail(new Error("cancelled"), () => {});
  }

  private fail(e: Error, refused: (e: Error) => void): void {
    this.failed = e;
    refused(e);
    for (const call of this.pending.values()) call.reject(e);
    this.pending.clear();
  }
}
