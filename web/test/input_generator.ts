// Seeded random VORN.IN files that a run accepts: the shipped examples' chemicals, in a
// random choice and order, with their values, the unit's parameters and the DAF rows
// scaled and written in the many ways the reader takes numbers.

// A small counter-free generator (mulberry32): the same seed, the same inputs.
export function random_source(seed: number): () => number {
  let state = seed >>> 0;
  return () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

interface Example {
  properties: string[][];  // per chemical: name words, "@", CAS, then 26 values
  concentrations: string[][];
  daf_rows: string[][];
}

export function parse_example(text: string): Example {
  const lines = text.split("\n").map((l) => l.replace(/\r$/, ""));
  const n = Number(lines[8]);
  const properties = lines.slice(10, 10 + n).map((l) => l.trim().split(/\s+/));
  const concentrations = lines.slice(11 + n, 11 + 2 * n).map((l) => l.trim().split(/\s+/));
  const daf_rows = lines
    .slice(12 + 2 * n)
    .filter((l) => l.trim() !== "")
    .map((l) => l.trim().split(/\s+/));
  return { properties, concentrations, daf_rows };
}

// A positive number in one of the reader's spellings.
function spell(value: number, random: () => number): string {
  const form = Math.floor(random() * 6);
  if (form === 0) return value.toExponential(Math.floor(random() * 6));
  if (form === 1) return value.toExponential(3).toUpperCase();
  if (form === 2) return value.toExponential(2).replace("e", "D");
  if (form === 3 && value >= 1e-3 && value < 1e7) return value.toFixed(Math.floor(random() * 5));
  return String(value);
}

function scaled(token: string, random: () => number, spread: number): string {
  const v = Number(token);
  // Missing (-1), zero and negative markers keep their meaning; flags and words stay.
  if (!Number.isFinite(v) || v <= 0) return token;
  return spell(v * Math.pow(10, (random() * 2 - 1) * spread), random);
}

export function generate_input(examples: Example[], seed: number): string {
  const random = random_source(seed);
  const pick = <T>(xs: T[]): T => xs[Math.floor(random() * xs.length)];
  const pool: { p: string[]; c: string[] }[] = [];
  for (const e of examples)
    e.properties.forEach((p, k) => pool.push({ p, c: e.concentrations[k] }));
  const count = 1 + Math.floor(random() * 12);
  const chosen = Array.from({ length: count }, () => pick(pool));
  const unit = random() < 0.5 ? "LF" : "SI";
  const lines = [
    String(1000 + Math.floor(random() * 9000)),
    unit,
    spell(Math.pow(10, -7 + random() * 3), random),
    spell(0.1 + random() * 2, random),
    spell(Math.pow(10, 2 + random() * 4), random),
    String(Math.floor(random() * 3)),
    spell(1 + random() * 60, random),
    spell(random() * 20000, random),
    String(count),
    "ChemicalName @ CAS MCL CSFO CSFI ORDO RFCI BCF SOILST TOXC HENRY DIFFW DIFFA SOL DAFLF DAFSI TSTAR KPW TAU BUNGE ORGANIC BAF ECOCHRON CARC MW VP KDSW LOGKOW",
  ];
  for (const { p } of chosen) {
    const at = p.indexOf("@");
    const values = p.slice(at + 2).map((t, k) => {
      // ORGANIC (19) is a flag, CARC (22) a word: kept; the others scaled now and then.
      if (k === 18 || k === 21) return t;
      return random() < 0.4 ? scaled(t, random, 0.5) : t;
    });
    lines.push([...p.slice(0, at + 2), ...values].join(random() < 0.2 ? "\t" : " "));
  }
  lines.push("TCLP  FLAG  TOTC  FLAG");
  for (const { c } of chosen)
    lines.push(
      [scaled(c[0], random, 2), pick(["N", "D", "n"]), scaled(c[2], random, 2), pick(["N", "D"])].join(
        random() < 0.3 ? ", " : " ",
      ),
    );
  lines.push("CHEMCAS  LFCONC  LFCAR  LFNON  SICONC  SICAR  SINON");
  const cas = new Set(chosen.map(({ p }) => p[p.indexOf("@") + 1]));
  for (const e of examples)
    for (const row of e.daf_rows)
      if (cas.has(row[0]) && random() < 0.9)
        lines.push([row[0], ...row.slice(1).map((t) => scaled(t, random, 0.3))].join(" "));
  return lines.join(random() < 0.1 ? "\r\n" : "\n") + "\n";
}
