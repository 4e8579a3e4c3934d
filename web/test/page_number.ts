// A number as the pages show it ("0.0887", "2.39 × 10⁵", "−1.5", "6000") read back; "no
// limit" and any other text is NaN.

const kDigits: Record<string, string> = {
  "⁻": "-", "⁰": "0", "¹": "1", "²": "2", "³": "3", "⁴": "4", "⁵": "5", "⁶": "6", "⁷": "7", "⁸": "8", "⁹": "9",
};

export function page_number(text: string): number {
  const t = text.trim().replace(/−/g, "-").replace(/[\s\u202f]/g, "");
  const m = /^(-?\d+(?:\.\d+)?)(?:×10([⁻⁰¹²³⁴⁵⁶⁷⁸⁹]+))?$/.exec(t);
  if (!m) return NaN;
  const exponent = m[2] ? Number([...m[2]].map((c) => kDigits[c]).join("")) : 0;
  return Number(`${m[1]}e${exponent}`);
}
