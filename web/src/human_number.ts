// Numbers for people, as the pages write them: three significant digits, plain where at most
// two zeros place the point (0.00100 to 99 900), otherwise "8.87 × 10⁻⁵"; whole numbers below
// 10⁵ in full; a minus sign "−"; "NaN" and "∞".

const kSuperscripts: Record<string, string> = {
  "-": "⁻", "0": "⁰", "1": "¹", "2": "²", "3": "³", "4": "⁴", "5": "⁵", "6": "⁶", "7": "⁷", "8": "⁸", "9": "⁹",
};

function with_minus(text: string, negative: boolean): string {
  return negative ? `−${text}` : text;
}

export function human_number(value: number): string {
  if (Number.isNaN(value)) return "NaN";
  if (!Number.isFinite(value)) return value > 0 ? "∞" : "−∞";
  if (value === 0) return "0";
  const negative = value < 0;
  const x = Math.abs(value);
  if (Number.isInteger(x) && x < 1e5) return with_minus(String(x), negative);
  // Rounded to three significant digits first: the rounding decides the form.
  const [mantissa, exponent_text] = x.toExponential(2).split("e");
  const exponent = Number(exponent_text);
  if (exponent >= -3 && exponent <= 4) {
    const rounded = Number(`${mantissa}e${exponent}`);
    const decimals = Math.max(0, 2 - exponent);
    return with_minus(rounded.toFixed(decimals), negative);
  }
  const power = String(exponent).replace(/./g, (c) => kSuperscripts[c] ?? c);
  return with_minus(`${mantissa} × 10${power}`, negative);
}

// A count with thin groups of three digits: 12 345 realizations.
export function human_count(value: number): string {
  return Math.round(value).toString().replace(/\B(?=(\d{3})+(?!\d))/g, "\u202f");
}
