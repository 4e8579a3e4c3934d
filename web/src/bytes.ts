// The engine's files are bytes: VORN.IN, VORN.DBG and VORN.OUT in Latin-1 (one byte, one
// character), the documents in UTF-8.

export function latin1_text(bytes: Uint8Array): string {
  return new TextDecoder("latin1").decode(bytes);
}

export function utf8_text(bytes: Uint8Array): string {
  return new TextDecoder("utf-8").decode(bytes);
}

// A text whose characters are all below 256, as those bytes (the shipped examples).
export function latin1_bytes(text: string): Uint8Array {
  const out = new Uint8Array(text.length);
  for (let k = 0; k < text.length; ++k) {
    const c = text.charCodeAt(k);
    if (c > 255) throw new RangeError(`character ${c} at ${k} is not Latin-1`);
    out[k] = c;
  }
  return out;
}
