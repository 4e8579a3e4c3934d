// How a field shows what the checks found: its outline, its message next to it (read out with
// the field), and aria-invalid for the errors that stop or end a run.
import type { Finding } from "./engine_types";

const kKinds = ["fatal", "stop", "warning"] as const;

// The worst finding first: a value that cannot be read, then a stop, then a warning.
export function worst(findings: Finding[]): Finding | null {
  for (const kind of kKinds) {
    const f = findings.find((x) => x.kind === kind);
    if (f) return f;
  }
  return null;
}

export function kind_word(kind: Finding["kind"]): string {
  return kind === "fatal" ? "Error" : kind === "stop" ? "Stops the run" : "Warning";
}

// Marks `input` with the findings on its field; `message` is the element that says them.
export function mark_field(input: HTMLInputElement, message: HTMLElement | null, findings: Finding[]): void {
  const f = worst(findings);
  for (const kind of kKinds) input.classList.toggle(kind, f?.kind === kind);
  if (f && f.kind !== "warning") input.setAttribute("aria-invalid", "true");
  else input.removeAttribute("aria-invalid");
  const text = findings.map((x) => `${kind_word(x.kind)}: ${x.text}`).join(" ");
  input.title = text;
  if (message) {
    message.textContent = text;
    message.hidden = text === "";
  }
}
