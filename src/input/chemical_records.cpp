#include "input/chemical_records.hpp"

#include "core/free_form.hpp"
#include "core/run_error.hpp"
#include "core/text.hpp"
#include "input/input_findings.hpp"

namespace vorn {
namespace {

constexpr std::size_t kLineWidth = 1024;

void echo_findings(const LogUnit& debug, const std::vector<InputFinding>& findings) {
  for (const InputFinding& f : findings) {
    if (f.kind == FindingKind::stop) debug.stop(f.lines);
    for (const LogLine& line : f.lines) debug.log(line);
  }
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
  echo_findings(debug, property_findings(c, i));
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
    echo_findings(debug, concentration_findings(c, i));
  }
  return N;
}

}  // namespace vorn
