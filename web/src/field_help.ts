// What each value of VORN.IN is, for the editor's labels: its name, unit and a line of help.

export interface FieldHelp {
  field: string;
  label: string;
  unit: string;
  help: string;
  kind: "real" | "integer" | "text" | "name";
}

export const kUnitHelp: FieldHelp[] = [
  { field: "WU_SITEKEY", label: "Site key", unit: "", kind: "integer", help: "A whole number naming the site; the log echoes it." },
  { field: "WU_WMUTYPE", label: "Unit type", unit: "", kind: "text", help: "LF for a landfill, SI for a surface impoundment." },
  { field: "WU_RISKFACT", label: "Target cancer risk", unit: "", kind: "real", help: "The cancer risk a pathway may reach; expected between 1e-6 and 1e-4." },
  { field: "WU_HQFACT", label: "Target hazard quotient", unit: "", kind: "real", help: "The hazard quotient a pathway may reach; expected between 0.1 and 1." },
  { field: "WU_WASTEVOL", label: "Waste volume per year", unit: "volume unit below", kind: "real", help: "The waste placed in the unit each year, above 0." },
  { field: "WU_VOLUNIT", label: "Volume unit", unit: "", kind: "integer", help: "0 cubic yards, 1 cubic feet, 2 cubic metres." },
  { field: "WU_ACTLIFE", label: "Active life", unit: "years", kind: "real", help: "The years the unit receives waste, above 0." },
  { field: "WU_SIFLOW", label: "Impoundment flow rate", unit: "m³/yr", kind: "real", help: "Read and echoed only; no result depends on it." },
];

export const kChemicalHelp: FieldHelp[] = [
  { field: "CHEMNAME", label: "Name", unit: "", kind: "name", help: "Up to 255 characters; no \"@\" and no line break." },
  { field: "CHEMCAS", label: "CAS", unit: "", kind: "text", help: "The CAS number; DAF rows and scenarios find the chemical by it." },
  { field: "MCL", label: "MCL", unit: "mg/L", kind: "real", help: "Maximum contaminant level in drinking water; −1 missing." },
  { field: "CSFO", label: "CSFO", unit: "(mg/kg-day)⁻¹", kind: "real", help: "Oral cancer slope factor; 0 none, −1 missing." },
  { field: "CSFI", label: "CSFI", unit: "(mg/kg-day)⁻¹", kind: "real", help: "Inhalation cancer slope factor; 0 none, −1 missing." },
  { field: "ORDO", label: "ORDO", unit: "mg/kg-day", kind: "real", help: "Oral reference dose; 0 none, −1 missing." },
  { field: "ORDI", label: "RfC (ORDI)", unit: "mg/m³", kind: "real", help: "Inhalation reference concentration; the run turns it into a dose." },
  { field: "BCF", label: "BCF", unit: "L/kg", kind: "real", help: "Bioconcentration factor in fish." },
  { field: "SOILST", label: "SOILST", unit: "mg/kg", kind: "real", help: "Soil saturation concentration." },
  { field: "TOX_C", label: "TOX_C", unit: "mg/L", kind: "real", help: "Toxicity characteristic level (40 CFR 261.24)." },
  { field: "HENRY", label: "HENRY", unit: "atm-m³/mol", kind: "real", help: "Henry's law constant." },
  { field: "DIFFW", label: "DIFFW", unit: "cm²/s", kind: "real", help: "Diffusion coefficient in water." },
  { field: "DIFFA", label: "DIFFA", unit: "cm²/s", kind: "real", help: "Diffusion coefficient in air." },
  { field: "SOL", label: "SOL", unit: "mg/L", kind: "real", help: "Solubility in water." },
  { field: "DAFLF", label: "DAFLF", unit: "", kind: "real", help: "The chemical's own landfill DAF; 0 takes the DAF table's." },
  { field: "DAFSI", label: "DAFSI", unit: "", kind: "real", help: "The chemical's own impoundment DAF; 0 takes the DAF table's." },
  { field: "TSTAR", label: "TSTAR", unit: "h", kind: "real", help: "Time to reach steady state in the skin." },
  { field: "KPW", label: "KPW", unit: "cm/h", kind: "real", help: "Skin permeability coefficient." },
  { field: "TAU", label: "TAU", unit: "h", kind: "real", help: "Lag time in the skin." },
  { field: "BUNGE", label: "BUNGE", unit: "", kind: "real", help: "Bunge coefficient B." },
  { field: "ORGANIC", label: "ORGANIC", unit: "", kind: "integer", help: "1 organic, 0 inorganic." },
  { field: "BAF", label: "BAF", unit: "L/kg", kind: "real", help: "Bioaccumulation factor in fish; −1 missing." },
  { field: "ECOCHRON", label: "ECOCHRON", unit: "mg/L", kind: "real", help: "Chronic ecological threshold of the receiving water." },
  { field: "CARCTYPE", label: "CARCTYPE", unit: "", kind: "text", help: "C carcinogenic, N not." },
  { field: "MW", label: "MW", unit: "g/mol", kind: "real", help: "Molecular weight." },
  { field: "VP", label: "VP", unit: "atm", kind: "real", help: "Vapour pressure." },
  { field: "KDSW", label: "KDSW", unit: "L/kg", kind: "real", help: "Soil-water partition coefficient." },
  { field: "LOGKOW", label: "LOGKOW", unit: "", kind: "real", help: "log10 of the octanol-water partition coefficient; −1000 missing." },
  { field: "TCLPCONC", label: "Leachate", unit: "mg/L", kind: "real", help: "Leachate (TCLP) concentration of the waste." },
  { field: "TCLPFLAG", label: "Flag", unit: "", kind: "text", help: "N detected (counts in the detected-only sums), D not." },
  { field: "TOTC", label: "Total", unit: "mg/kg", kind: "real", help: "Total concentration of the waste." },
  { field: "TOTFLAG", label: "Flag", unit: "", kind: "text", help: "N detected, D not." },
];

export const kDafHelp: FieldHelp[] = [
  { field: "CHEMCAS", label: "CAS", unit: "", kind: "text", help: "The chemical the row belongs to." },
  { field: "LFCONC", label: "LF leachate", unit: "mg/L", kind: "real", help: "Landfill leachate concentration of this point." },
  { field: "LFCAR", label: "LF DAF (carc.)", unit: "", kind: "real", help: "Landfill carcinogenic DAF at it." },
  { field: "LFNON", label: "LF DAF (non-carc.)", unit: "", kind: "real", help: "Landfill non-carcinogenic DAF at it." },
  { field: "SICONC", label: "SI leachate", unit: "mg/L", kind: "real", help: "Impoundment leachate concentration of this point." },
  { field: "SICAR", label: "SI DAF (carc.)", unit: "", kind: "real", help: "Impoundment carcinogenic DAF at it." },
  { field: "SINON", label: "SI DAF (non-carc.)", unit: "", kind: "real", help: "Impoundment non-carcinogenic DAF at it." },
];

// A value the run reads as missing: highlighted for the user to supply.
export function is_missing(field: string, text: string): boolean {
  const v = Number(text.trim().replace(/[dD]/, "e"));
  if (text.trim() === "" || Number.isNaN(v)) return false;
  return field === "LOGKOW" ? v <= -999 : v < 0 && field !== "TSTAR" && field !== "TAU" && field !== "BUNGE";
}
