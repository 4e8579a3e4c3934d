#include "input/chemical_records.hpp"

#include "core/free_form.hpp"
#include "core/run_error.hpp"
#include "core/text.hpp"
#include "input/chemical_derivation.hpp"

namespace vorn {
namespace {

constexpr std::size_t kLineWidth = 1024;

// Missing below 0, zero, or the value with its label.
void echo_missing_zero(const LogUnit& debug, double value, const char* missing, const char* label,
                       const char* zero) {
  if (value < 0.0)
    debug.log(LogLine() << missing);
  else if (value == 0.0)
    debug.log(LogLine() << zero);
  else
    debug.log(LogLine() << label << value);
}

void echo_missing(const LogUnit& debug, double value, bool missing_value, const char* missing,
                  const char* label) {
  if (missing_value)
    debug.log(LogLine() << missing);
  else
    debug.log(LogLine() << label << value);
}

void read_property_line(Chemical& c, const std::string& line, int line_number) {
  const auto at = line.find('@');
  // Without "@" the name is blank and the values start at the second character.
  const std::size_t name_end = (at == std::string::npos) ? 0 : at;
  c.CHEMNAME.assign(line, 0, name_end);
  c.CHEMNAME.resize(kNameWidth, ' ');
  const std::size_t start = (at == std::string::npos) ? 1 : at + 2;
  const std::string_view values =
      start < line.size() ? std::string_view(line).substr(start) : std::string_view();

  std::string carctype(13, ' ');
  read_free(values, line_number,
            {Item::text(c.CHEMCAS, kCasWidth),
             Item::real(c.MCL),
             Item::real(c.CSFO),
             Item::real(c.CSFI),
             Item::real(c.ORDO),
             Item::real(c.ORDI),
             Item::real(c.BCF),
             Item::real(c.SOILST),
             Item::real(c.TOX_C),
             Item::real(c.HENRY),
             Item::real(c.DIFFW),
             Item::real(c.DIFFA),
             Item::real(c.SOL),
             Item::real(c.DAFLF),
             Item::real(c.DAFSI),
             Item::real(c.TSTAR),
             Item::real(c.KPW),
             Item::real(c.TAU),
             Item::real(c.BUNGE),
             Item::integer(c.ORGANIC),
             Item::real(c.BAF),
             Item::real(c.ECOCHRON),
             Item::text(carctype, 13),
             Item::real(c.MW),
             Item::real(c.VP),
             Item::real(c.KDSW),
             Item::real(c.LOGKOW)});
  c.CARCTYPE = carctype.substr(0, 1);
}

// The echo shows the values as the run derives them.
void echo_chemical(const LogUnit& debug, int i, const Chemical& c) {
  debug.log(LogLine() << "-----SITE COCS: #" << static_cast<std::int32_t>(i));
  debug.log(LogLine() << trim_trailing(c.CHEMNAME));
  debug.log(LogLine() << c.CHEMCAS);

  if (Failure f = check_organic(c)) debug.stop(f);
  debug.log(
      LogLine() << (c.ORGANIC == 1 ? "Chemical is Organic (1)" : "Chemical is Inorganic (0)"));

  const char t = c.CARCTYPE[0];
  if (t == 'C' || t == 'c') {
    debug.log(LogLine() << "Chemical is Carcinogenic (C)");
  } else if (t == 'N' || t == 'n') {
    debug.log(LogLine() << "Chemical is Noncarcinogenci (N)");
  } else {
    debug.log(LogLine() << "Warning: Chem type(Carc/Non)=" << c.CARCTYPE);
    debug.log(LogLine() << "Warning: Chem type defaulted as non-carcinogenic");
  }

  echo_missing_zero(debug, c.MCL, "Warning: Missing MCL", "MCL(mg/L)=", "Warning: Zero MCL");
  echo_missing_zero(
      debug, c.TOX_C, "Warning: Missing Toxicity Characteristic Level",
      "Toxicity Characteristic Level TC mg/L)=", "Warning: Zero Toxicity Characteristic Level");
  if (c.ECOCHRON < 0.0) {
    debug.log(LogLine() << "WARNING: MISSING ECOCHRON");
  } else if (c.ECOCHRON == 0.0) {
    debug.log(LogLine() << "WARNING: ZERO ECOCHRON");
  } else {
    debug.log(LogLine() << "Chronic Ecological Toxicity Threshhold"
                        << "(AquaticTRV ECOCHRON mg/L)=" << c.ECOCHRON);
  }
  echo_missing_zero(debug, c.CSFO, "Warning: Missing CSFO",
                    "CSFO(kg-day/mg)=", "Warning: Zero CSFO");
  echo_missing_zero(debug, c.CSFI, "Warning: Missing CSFI",
                    "CSFI(kg-day/mg)=", "Warning: Zero CSFI");
  echo_missing_zero(debug, c.ORDO, "Warning: Missing ORDO",
                    "Reference Dose-Oral (ORDO mg/kg-day)=", "Warning: Zero ORDO");
  if (c.ORDI < 0.0) {
    debug.log(LogLine() << "Warning: Missing ORDI");
  } else if (c.ORDI == 0.0) {
    debug.log(LogLine() << "Warning: Zero ORDI");
  } else {
    debug.log(LogLine() << "ORDI is given as RFCo, RFDo=RFCo*CRair/BWadult");
    debug.log(LogLine() << "Reference Dose-Inhalation (ORDI mg/kg-day)="
                        << inhalation_dose(c.ORDI));
  }
  echo_missing_zero(debug, c.MW, "Warning: Missing Molecular weight",
                    "Molecular Weight(MW,gm/mol)=", "Warning: zero molecular weight");

  echo_missing(debug, c.BCF, c.BCF < 0.0, "Warning: Missing BCF",
               "Bio-concentration Factor(BCF L/kg)=");
  echo_missing(debug, c.BAF, c.BAF < 0.0, "Warning: Missing BAF",
               "Bio-accumulation Factor(BAF L/kg)=");
  // The superscripts are the single Latin-1 bytes 0xB3 and 0xB2.
  echo_missing(debug, c.HENRY, c.HENRY < 0.0, "Warning: Missing HENRY",
               "Henrys Law Coefficient(H atm-m\xB3/mol-K)=");
  echo_missing(debug, c.DIFFW, c.DIFFW < 0.0, "Warning: Missing DIFFW",
               "Diffusion Coefficient in Water(Dw cm\xB2/sec)=");
  echo_missing(debug, c.DIFFA, c.DIFFA < 0.0, "Warning: Missing DIFFA",
               "Diffusion Coefficient in Air(Da cm\xB2/sec)=");
  echo_missing(debug, c.SOL, c.SOL < 0.0, "Warning: Missing Solubility",
               "Chemical Solubility(SOL mg/L)=");
  echo_missing(debug, c.VP, c.VP < 0.0, "Warning: Missing Vapor Pressure",
               "Vapor Pressure(Vp atm)=");
  echo_missing(debug, c.KDSW, c.KDSW < 0.0, "Warning: Missing soil-water Partition Coeff.",
               "Soil-water Partition Coefficient(Kdsw L/kg)=");
  echo_missing(debug, c.TSTAR, c.TSTAR < 0.0, "Warning: Missing Time Reach Steady-S(T* hr)",
               "Time to reach steady-state(T* hrs)-dermal=");
  echo_missing(debug, c.KPW, c.KPW < 0.0, "Warning: Missing Skin Permeability(Kpw cm/hr)",
               "Skin Permeability Coeff.(Kpw cm/hr)-dermal=");
  echo_missing(debug, c.TAU, c.TAU < 0.0, "Warning: Missing Lag time Tau(T hrs)-dermal",
               "Lag time Tau(T hrs)-dermal=");
  echo_missing(debug, c.BUNGE, c.BUNGE < 0.0, "Warning: Missing Bunge Coff.(B-)-dermal",
               "Bunge Coeff.(B-)-dermal=");
  echo_missing(debug, c.LOGKOW, c.LOGKOW < -999.0,
               "Warning: Missing Octanol-water Partition Coeff.",
               "Octanol-water Partition Coefficient(LOGKOW -)=");
}

// A concentration not above 0 is taken as the floor (a NaN is kept).
void echo_concentration(const LogUnit& debug, double value, const char* warning,
                        const char* label) {
  if (value <= 0.0) {
    debug.log(LogLine() << warning << value);
    debug.log(LogLine() << "Make it 1.0d-10");
  } else {
    debug.log(LogLine() << label << value);
  }
}

}  // namespace

int readchemicals(InputFile& in, const LogUnit& debug, std::vector<Chemical>& chemicals) {
  chemicals.clear();
  std::int32_t count = 0;
  read_free(in, {Item::integer(count)});
  const int N = count;
  debug.log(LogLine() << "Number of Species=" << count);
  skip_line(in, "the heading line of the property lines");

  // Storage grows with the lines actually read, whatever the count says.
  std::string line;
  for (int i = 1; i <= N; ++i) {
    if (!in.read_line(kLineWidth, line)) {
      throw FatalInputError(input_error_message(
          in.line_number() + 1, "end of file before the property line of chemical #" +
                                    std::to_string(i) + " of " + std::to_string(N)));
    }
    Chemical& c = chemicals.emplace_back();
    read_property_line(c, line, in.line_number());
    echo_chemical(debug, i, c);
  }

  skip_line(in, "the line before the concentration lines");
  for (int i = 1; i <= N; ++i) {
    Chemical& c = chemicals[static_cast<std::size_t>(i - 1)];
    read_free(in, {Item::real(c.TCLPCONC), Item::text(c.TCLPFLAG, 1), Item::real(c.TOTC),
                   Item::text(c.TOTFLAG, 1)});
    debug.log(LogLine() << trim_trailing(c.CHEMNAME));
    echo_concentration(debug, c.TCLPCONC, "Warning: TCLP Conc.=", "TCLP Conc.(mg/L)=");
    echo_concentration(debug, c.TOTC, "Warning: Total Conc.=", "TOT Conc.(mg/kg)=");
  }
  return N;
}

}  // namespace vorn
