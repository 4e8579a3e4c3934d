#include "mc/realization_input.hpp"

#include <stdexcept>
#include <vector>

#include "core/real_text.hpp"
#include "groundwater/daf_curve.hpp"
#include "input/input_writer.hpp"

namespace vorn::mc {
namespace {

[[noreturn]] void cannot_write(std::uint64_t r, std::size_t chemical, double factor) {
  throw std::invalid_argument("realization " + std::to_string(r) + ": the DAF factor " +
                              format_real(factor) + " of chemical " + std::to_string(chemical + 1) +
                              " is not positive: a VORN.IN cannot carry it");
}

}  // namespace

std::string realization_input(const McInput& input, RealizationEvaluator& evaluator,
                              std::uint64_t r) {
  evaluator.draw(r);
  const WasteUnit& unit = evaluator.unit();
  const bool landfill = unit.is_landfill();
  std::vector<Chemical> chemicals = evaluator.chemicals();
  DafTable daf = *input.daf;
  // The factor each row got: chemicals sharing a row share a CAS, and with it the factor.
  std::vector<double> row_factor(static_cast<std::size_t>(daf.NDAF) + 1, 1.0);
  std::vector<bool> scaled(row_factor.size(), false);
  for (std::size_t i = 0; i < chemicals.size(); ++i) {
    const double f = evaluator.daf_factors()[i];
    if (!(f > 0.0)) cannot_write(r, i, f);
    const DafRowMatch& rows = input.rows[i];
    for (std::int32_t n = 0; n < rows.count; ++n) {
      const std::size_t j = static_cast<std::size_t>(rows.rows[static_cast<std::size_t>(n)]);
      if (scaled[j]) {
        if (row_factor[j] != f)
          throw std::logic_error("chemicals sharing DAF row " + std::to_string(j) +
                                 " drew different factors");
        continue;
      }
      DafRow& row = daf.row(static_cast<int>(j));
      (landfill ? row.LFCAR : row.SICAR) *= f;
      (landfill ? row.LFNON : row.SINON) *= f;
      scaled[j] = true;
      row_factor[j] = f;
    }
    if (rows.count > 0 || f == 1.0) continue;
    double& own = landfill ? chemicals[i].DAFLF : chemicals[i].DAFSI;
    if (own <= 0.0) own = landfill ? kDefaultDafLandfill : kDefaultDafImpoundment;
    own *= f;
  }
  return write_input_text(unit, chemicals, daf);
}

}  // namespace vorn::mc
