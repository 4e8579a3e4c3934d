// Compares two texts byte for byte and, where they differ, number for number: the texts
// must agree outside their numbers, and each differing number must lie within a few units
// in the last place (ULP) of the other.

export interface NumberDifference {
  offset: number;
  native: string;
  wasm: string;
  ulps: bigint;
}

export interface Comparison {
  identical: boolean;
  // Why the texts cannot be matched number for number (a difference outside the numbers,
  // a number beyond the tolerance), or null.
  mismatch: string | null;
  differences: NumberDifference[];
}

// Decimal numbers, and the hexadecimal exact sums of the parts ("0x6fd929b07d0a115p-89").
const kNumber = /[-+]?0x[0-9a-f]+p[-+]?\d+|[-+]?(?:\d+\.?\d*|\.\d+)(?:[eEdD][-+]?\d+)?/g;

// A number's value, rounded to a double.
function value_of(text: string): number {
  const hex = /^([-+]?)0x([0-9a-f]+)p([-+]?\d+)$/.exec(text);
  if (!hex) return Number(text.replace(/[dD]/, "e"));
  // The mantissa cut to its leading 64 bits first, so that the scaling stays in range.
  let mantissa = BigInt(`0x${hex[2]}`);
  let exponent = Number(hex[3]);
  const excess = mantissa.toString(2).length - 64;
  if (excess > 0) {
    mantissa >>= BigInt(excess);
    exponent += excess;
  }
  // Scaled in two steps: 2^exponent alone may leave the range of doubles.
  const half = Math.trunc(exponent / 2);
  const v = Number(mantissa) * 2 ** half * 2 ** (exponent - half);
  return hex[1] === "-" ? -v : v;
}

function ordered_bits(v: number): bigint {
  const view = new DataView(new ArrayBuffer(8));
  view.setFloat64(0, v);
  const b = view.getBigUint64(0);
  // Negative doubles count down from zero so that neighbours differ by one.
  return b >> 63n ? -(b & 0x7fffffffffffffffn) : b;
}

export function ulp_distance(a: number, b: number): bigint {
  const d = ordered_bits(a) - ordered_bits(b);
  return d < 0n ? -d : d;
}

function numbers(text: string): { parts: string[]; values: { text: string; offset: number }[] } {
  const parts: string[] = [];
  const values: { text: string; offset: number }[] = [];
  let last = 0;
  for (const m of text.matchAll(kNumber)) {
    parts.push(text.slice(last, m.index));
    values.push({ text: m[0], offset: m.index! });
    last = m.index! + m[0].length;
  }
  parts.push(text.slice(last));
  return { parts, values };
}

// The reports' number field is 0.ddd with three digits: a last-bit difference can move it
// by one unit in its third digit, which is no ULP of the double; such fields are not
// matched here (VORN.OUT must be identical anyway).
// With `max_absolute`, numbers that lie within it of each other pass whatever their ULPs.
export function compare_texts(native: Uint8Array, wasm: Uint8Array, max_ulps: bigint, max_absolute = 0): Comparison {
  if (native.length === wasm.length && native.every((b, k) => b === wasm[k]))
    return { identical: true, mismatch: null, differences: [] };
  const latin1 = new TextDecoder("latin1");
  const a = numbers(latin1.decode(native));
  const b = numbers(latin1.decode(wasm));
  if (a.values.length !== b.values.length)
    return { identical: false, mismatch: "the texts hold different counts of numbers", differences: [] };
  for (let k = 0; k < a.parts.length; ++k)
    if (a.parts[k] !== b.parts[k])
      return {
        identical: false,
        mismatch: `the texts differ outside their numbers: ${JSON.stringify(a.parts[k].slice(0, 80))} vs ${JSON.stringify(b.parts[k].slice(0, 80))}`,
        differences: [],
      };
  const differences: NumberDifference[] = [];
  for (let k = 0; k < a.values.length; ++k) {
    const x = a.values[k];
    const y = b.values[k];
    if (x.text === y.text) continue;
    const ulps = ulp_distance(value_of(x.text), value_of(y.text));
    differences.push({ offset: x.offset, native: x.text, wasm: y.text, ulps });
    if (ulps > max_ulps && !(Math.abs(value_of(x.text) - value_of(y.text)) <= max_absolute))
      return {
        identical: false,
        mismatch: `at byte ${x.offset}: ${x.text} vs ${y.text} is ${ulps} ULP apart`,
        differences,
      };
  }
  return { identical: false, mismatch: null, differences };
}
