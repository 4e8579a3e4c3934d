#include "input/input_findings.hpp"

#include "input/chemical_derivation.hpp"
#include "input/unit_checks.hpp"

namespace vorn {
namespace {

InputFinding finding(FindingKind kind, const char* field, int chemical,
                     std::vector<LogLine> lines) {
  return InputFinding{kind, field, chemical, std::move(lines)};
}

// Missing below 0, zero, or the value with its label.
InputFinding missing_zero(const char* field, int index, double value, const char* missing,
                          const char* label, const char* zero) {
  if (value < 0.0) return finding(FindingKind::warning, field, index, {LogLine() << missing});
  if (value == 0.0) return finding(FindingKind::warning, field, index, {LogLine() << zero});
  return finding(FindingKind::echo, field, index, {LogLine() << label << value});
}

InputFinding missing(const char* field, int index, double value, bool missing_value,
                     const char* missing_text, const char* label) {
  if (missing_value)
    return finding(FindingKind::warning, field, index, {LogLine() << missing_text});
  return finding(FindingKind::echo, field, index, {LogLine() << label << value});
}

// A concentration not above 0 is taken as the floor (a NaN is kept).
InputFinding concentration(const char* field, int index, double value, const char* warning,
                           const char* label) {
  if (value <= 0.0) {
    return finding(FindingKind::warning, field, index,
                   {LogLine() << warning << value, LogLine() << "Make it 1.0d-10"});
  }
  return finding(FindingKind::echo, field, index, {LogLine() << label << value});
}

void keep_problems(std::vector<InputFinding>&& from, std::vector<InputFinding>& into) {
  for (InputFinding& f : from)
    if (f.kind != FindingKind::echo) into.push_back(std::move(f));
}

}  // namespace

std::vector<InputFinding> property_findings(const Chemical& c, int i) {
  std::vector<InputFinding> out;
  if (Failure f = check_organic(c)) {
    out.push_back(finding(FindingKind::stop, "ORGANIC", i, failure_lines(f)));
    return out;
  }
  out.push_back(finding(
      FindingKind::echo, "ORGANIC", i,
      {LogLine() << (c.ORGANIC == 1 ? "Chemical is Organic (1)" : "Chemical is Inorganic (0)")}));

  const char t = c.CARCTYPE.empty() ? ' ' : c.CARCTYPE[0];
  if (t == 'C' || t == 'c') {
    out.push_back(
        finding(FindingKind::echo, "CARCTYPE", i, {LogLine() << "Chemical is Carcinogenic (C)"}));
  } else if (t == 'N' || t == 'n') {
    out.push_back(finding(FindingKind::echo, "CARCTYPE", i,
                          {LogLine() << "Chemical is Noncarcinogenci (N)"}));
  } else {
    out.push_back(finding(FindingKind::warning, "CARCTYPE", i,
                          {LogLine() << "Warning: Chem type(Carc/Non)=" << c.CARCTYPE,
                           LogLine() << "Warning: Chem type defaulted as non-carcinogenic"}));
  }

  out.push_back(
      missing_zero("MCL", i, c.MCL, "Warning: Missing MCL", "MCL(mg/L)=", "Warning: Zero MCL"));
  out.push_back(missing_zero(
      "TOX_C", i, c.TOX_C, "Warning: Missing Toxicity Characteristic Level",
      "Toxicity Characteristic Level TC mg/L)=", "Warning: Zero Toxicity Characteristic Level"));
  if (c.ECOCHRON < 0.0) {
    out.push_back(
        finding(FindingKind::warning, "ECOCHRON", i, {LogLine() << "WARNING: MISSING ECOCHRON"}));
  } else if (c.ECOCHRON == 0.0) {
    out.push_back(
        finding(FindingKind::warning, "ECOCHRON", i, {LogLine() << "WARNING: ZERO ECOCHRON"}));
  } else {
    out.push_back(finding(FindingKind::echo, "ECOCHRON", i,
                          {LogLine() << "Chronic Ecological Toxicity Threshhold"
                                     << "(AquaticTRV ECOCHRON mg/L)=" << c.ECOCHRON}));
  }
  out.push_back(missing_zero("CSFO", i, c.CSFO, "Warning: Missing CSFO",
                             "CSFO(kg-day/mg)=", "Warning: Zero CSFO"));
  out.push_back(missing_zero("CSFI", i, c.CSFI, "Warning: Missing CSFI",
                             "CSFI(kg-day/mg)=", "Warning: Zero CSFI"));
  out.push_back(missing_zero("ORDO", i, c.ORDO, "Warning: Missing ORDO",
                             "Reference Dose-Oral (ORDO mg/kg-day)=", "Warning: Zero ORDO"));
  if (c.ORDI < 0.0) {
    out.push_back(finding(FindingKind::warning, "ORDI", i, {LogLine() << "Warning: Missing ORDI"}));
  } else if (c.ORDI == 0.0) {
    out.push_back(finding(FindingKind::warning, "ORDI", i, {LogLine() << "Warning: Zero ORDI"}));
  } else {
    out.push_back(finding(
        FindingKind::echo, "ORDI", i,
        {LogLine() << "ORDI is given as RFCo, RFDo=RFCo*CRair/BWadult",
         LogLine() << "Reference Dose-Inhalation (ORDI mg/kg-day)=" << inhalation_dose(c.ORDI)}));
  }
  out.push_back(missing_zero("MW", i, c.MW, "Warning: Missing Molecular weight",
                             "Molecular Weight(MW,gm/mol)=", "Warning: zero molecular weight"));

  out.push_back(missing("BCF", i, c.BCF, c.BCF < 0.0, "Warning: Missing BCF",
                        "Bio-concentration Factor(BCF L/kg)="));
  out.push_back(missing("BAF", i, c.BAF, c.BAF < 0.0, "Warning: Missing BAF",
                        "Bio-accumulation Factor(BAF L/kg)="));
  // The superscripts are the single Latin-1 bytes 0xB3 and 0xB2.
  out.push_back(missing("HENRY", i, c.HENRY, c.HENRY < 0.0, "Warning: Missing HENRY",
                        "Henrys Law Coefficient(H atm-m\xB3/mol-K)="));
  out.push_back(missing("DIFFW", i, c.DIFFW, c.DIFFW < 0.0, "Warning: Missing DIFFW",
                        "Diffusion Coefficient in Water(Dw cm\xB2/sec)="));
  out.push_back(missing("DIFFA", i, c.DIFFA, c.DIFFA < 0.0, "Warning: Missing DIFFA",
                        "Diffusion Coefficient in Air(Da cm\xB2/sec)="));
  out.push_back(missing("SOL", i, c.SOL, c.SOL < 0.0, "Warning: Missing Solubility",
                        "Chemical Solubility(SOL mg/L)="));
  out.push_back(missing("VP", i, c.VP, c.VP < 0.0, "Warning: Missing Vapor Pressure",
                        "Vapor Pressure(Vp atm)="));
  out.push_back(missing("KDSW", i, c.KDSW, c.KDSW < 0.0,
                        "Warning: Missing soil-water Partition Coeff.",
                        "Soil-water Partition Coefficient(Kdsw L/kg)="));
  out.push_back(missing("TSTAR", i, c.TSTAR, c.TSTAR < 0.0,
                        "Warning: Missing Time Reach Steady-S(T* hr)",
                        "Time to reach steady-state(T* hrs)-dermal="));
  out.push_back(missing("KPW", i, c.KPW, c.KPW < 0.0,
                        "Warning: Missing Skin Permeability(Kpw cm/hr)",
                        "Skin Permeability Coeff.(Kpw cm/hr)-dermal="));
  out.push_back(missing("TAU", i, c.TAU, c.TAU < 0.0, "Warning: Missing Lag time Tau(T hrs)-dermal",
                        "Lag time Tau(T hrs)-dermal="));
  out.push_back(missing("BUNGE", i, c.BUNGE, c.BUNGE < 0.0,
                        "Warning: Missing Bunge Coff.(B-)-dermal", "Bunge Coeff.(B-)-dermal="));
  out.push_back(missing("LOGKOW", i, c.LOGKOW, c.LOGKOW < -999.0,
                        "Warning: Missing Octanol-water Partition Coeff.",
                        "Octanol-water Partition Coefficient(LOGKOW -)="));
  return out;
}

std::vector<InputFinding> concentration_findings(const Chemical& c, int i) {
  return {concentration("TCLPCONC", i, c.TCLPCONC, "Warning: TCLP Conc.=", "TCLP Conc.(mg/L)="),
          concentration("TOTC", i, c.TOTC, "Warning: Total Conc.=", "TOT Conc.(mg/kg)=")};
}

// Range warnings only; a NaN is outside every range.
InputFinding risk_target_finding(double risk) {
  if (risk >= 1.0e-6 && risk <= 1.0e-4)
    return finding(FindingKind::echo, "WU_RISKFACT", 0, {LogLine() << "RISKFACT= " << risk});
  return finding(FindingKind::warning, "WU_RISKFACT", 0,
                 {LogLine() << "Warning: User specified risk(1e-6~1e-4) is: " << risk});
}

InputFinding hq_target_finding(double hq) {
  if (hq >= 0.1 && hq <= 1.0)
    return finding(FindingKind::echo, "WU_HQFACT", 0, {LogLine() << "HQFACT  = " << hq});
  return finding(FindingKind::warning, "WU_HQFACT", 0,
                 {LogLine() << "Warning: User specified HQ(0.1~1.0) is: " << hq});
}

std::vector<InputFinding> unit_problems(const WasteUnit& wu, std::int32_t volume_unit) {
  std::vector<InputFinding> out;
  auto stop_if = [&](const char* field, Failure f) {
    if (f) out.push_back(finding(FindingKind::stop, field, 0, failure_lines(f)));
  };
  stop_if("WU_WMUTYPE", check_unit_type(wu.WU_WMUTYPE));
  keep_problems({risk_target_finding(wu.WU_RISKFACT), hq_target_finding(wu.WU_HQFACT)}, out);
  stop_if("WU_WASTEVOL", check_waste_volume(wu.WU_WASTEVOL));
  stop_if("WU_VOLUNIT", check_volume_unit(volume_unit));
  stop_if("WU_ACTLIFE", check_active_life(wu.WU_ACTLIFE));
  return out;
}

std::vector<InputFinding> chemical_problems(const Chemical& c, int index) {
  std::vector<InputFinding> out;
  std::vector<InputFinding> properties = property_findings(c, index);
  if (properties.front().kind == FindingKind::stop) {
    // A run stops at the organic flag; the other values are checked as they would be.
    out.push_back(std::move(properties.front()));
    Chemical rest = c;
    rest.ORGANIC = 0;
    properties = property_findings(rest, index);
    properties.erase(properties.begin());
  }
  keep_problems(std::move(properties), out);
  keep_problems(concentration_findings(c, index), out);
  return out;
}

std::string finding_text(const InputFinding& finding) {
  std::string text;
  for (const LogLine& line : finding.lines) {
    if (!text.empty()) text += '\n';
    text += line.text().substr(1);
  }
  return text;
}

}  // namespace vorn
