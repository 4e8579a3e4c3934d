// Numbers for people, as the pages write them (export/readable_number.hpp): three significant
// digits, correctly rounded, ties to even; plain where at most two zeros place the point
// (0.00100 to 99 900), otherwise "8.87 × 10⁻⁵"; whole numbers below 10⁵ in full; a minus sign
// "−"; "NaN" and "∞". The node tests hold it to the engine's own.

const kSuperscripts: Record<string, string> = {
  "-": "⁻", "0": "⁰", "1": "¹", "2": "²", "3": "³", "4": "⁴", "5": "⁵", "6": "⁶", "7": "⁷", "8": "⁸", "9": "⁹",
};

function with_minus(text: string, negative: boolean): string {
  return negative ? `−${text}` : text;
}

// x (> 0) to three significant digits as [digits, exponent]: "887", -5 for 8.87e-5.
// toExponential rounds an exact tie away from zero; the pages round it to even.
function three_digits(x: number): [string, number] {
  let [mantissa, exponent] = x.toExponential(2).split("e");
  const exact = x.toPrecision(100).replace(/e.*$/, "").replace(".", "").replace(/^0+/, "");
  if (/^\d{3}50*$/.test(exact) && Number(exact[2]) % 2 === 0) {
    // A tie, rounded up by toExponential: take the even neighbour below.
    const below = x.toExponential(3).slice(0, 4);
    [mantissa, exponent] = [below, x.toExponential(3).split("e")[1]];
  }
  return [mantissa.replace(".", ""), Number(exponent)];
}

export function human_number(value: number): string {
  if (Number.isNaN(value)) return "NaN";
  if (!Number.isFinite(value)) return value > 0 ? "∞" : "−∞";
  if (value === 0) return "0";
  const negative = value < 0;
  const x = Math.abs(value);
  if (Number.isInteger(x) && x < 1e5) return with_minus(String(x), negative);
  const [digits, exponent] = three_digits(x);
  if (exponent >= -3 && exponent <= 4) {
    // 0.00887, 0.0887, 0.887, 8.87, 88.7, 887, 8870, 88700.
    if (exponent < 0) return with_minus(`0.${"0".repeat(-exponent - 1)}${digits}`, negative);
    if (exponent < 2) return with_minus(`${digits.slice(0, exponent + 1)}.${digits.slice(exponent + 1)}`, negative);
    return with_minus(digits.padEnd(exponent + 1, "0"), negative);
  }
  const power = String(exponent).replace(/./g, (c) => kSuperscripts[c] ?? c);
  return with_minus(`${digits[0]}.${digits.slice(1)}\u00a0×\u00a010${power}`, negative);
}

// A count with thin groups of three digits: 12 345 realizations.
export function human_count(value: number): string {
  return Math.round(value).toString().replace(/\B(?=(\d{3})+(?!\d))/g, "\u202f");
}
