// Links that save what a run made: each a Blob URL, revoked when the list is replaced.

import { h } from "./dom";

export interface Download {
  name: string;
  bytes: Uint8Array | string | null | undefined;
  type: string;
}

export class DownloadList {
  private urls: string[] = [];

  constructor(private readonly list: HTMLElement) {}

  show(files: Download[]): void {
    for (const url of this.urls.splice(0)) URL.revokeObjectURL(url);
    this.list.replaceChildren();
    for (const f of files) {
      if (f.bytes === null || f.bytes === undefined) continue;
      const blob = new Blob([f.bytes as BlobPart], { type: f.type });
      const url = URL.createObjectURL(blob);
      this.urls.push(url);
      this.list.append(h("li", {}, h("a", { href: url, download: f.name }, f.name)));
    }
  }
}
