// Small helpers for building the page's elements and announcing changes.

export function element<T extends HTMLElement>(id: string): T {
  const e = document.getElementById(id);
  if (!e) throw new Error(`the page has no element #${id}`);
  return e as T;
}

type Child = Node | string | null | undefined | false;

// An element with attributes and children; texts become text nodes, never markup.
export function h<K extends keyof HTMLElementTagNameMap>(
  tag: K,
  attributes: Record<string, string | boolean | number> = {},
  ...children: Child[]
): HTMLElementTagNameMap[K] {
  const e = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (value === false) continue;
    if (name === "class") e.className = String(value);
    else e.setAttribute(name, value === true ? "" : String(value));
  }
  for (const c of children) if (c !== null && c !== undefined && c !== false) e.append(c);
  return e;
}

// Says `text` to screen readers through the page's polite live region.
export function announce(text: string): void {
  const region = document.getElementById("announcer");
  if (!region) return;
  // A change is announced even when the text repeats.
  region.textContent = "";
  window.setTimeout(() => (region.textContent = text), 30);
}

// Calls `f` once input has paused for `ms` milliseconds.
export function debounced<A extends unknown[]>(f: (...args: A) => void, ms: number): (...args: A) => void {
  let timer = 0;
  return (...args: A) => {
    window.clearTimeout(timer);
    timer = window.setTimeout(() => f(...args), ms);
  };
}

// Today's date in UTC, "YYYY-MM-DD": the date a page of a run made now carries.
export function today(): string {
  return new Date().toISOString().slice(0, 10);
}
