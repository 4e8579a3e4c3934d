#include "mc/sample_rows.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "core/bit_cast.hpp"
#include "core/fmin_fmax.hpp"
#include "core/json_count.hpp"
#include "mc/decision_quantities.hpp"
#include "mc/realization.hpp"

namespace vorn::mc {
namespace {

constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64(const std::vector<unsigned char>& bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t v = 0;
    for (std::size_t k = 0; k < 3; ++k) v = v << 8 | (k < n ? bytes[i + k] : 0u);
    for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kDigits[(v >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

std::vector<unsigned char> from_base64(const std::string& text) {
  if (text.size() % 4 != 0) throw std::invalid_argument("base64 text of a length not 4k");
  std::vector<unsigned char> out;
  out.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    std::uint32_t v = 0;
    std::size_t pad = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const char c = text[i + k];
      const char* at = std::strchr(kDigits, c);
      if (c == '=' && i + 4 == text.size() && k >= 2) {
        ++pad;
      } else if (c == '\0' || at == nullptr || pad > 0) {
        throw std::invalid_argument("not base64 at character " + std::to_string(i + k + 1));
      }
      v = v << 6 | (c == '=' ? 0u : static_cast<std::uint32_t>(at - kDigits));
    }
    for (std::size_t k = 0; k < 3 - pad; ++k) out.push_back((v >> (16 - 8 * k)) & 0xFF);
  }
  return out;
}

}  // namespace

SampleRowRange sample_row_range(std::uint64_t first, std::uint64_t last) {
  return SampleRowRange{first, std::min(last, kSampleRowLimit)};
}

double limiting_quantity(double gw_ratio, double sf_ratio) {
  if (std::isnan(gw_ratio) || std::isnan(sf_ratio)) return vorn::fmax(gw_ratio, sf_ratio);
  return std::max(gw_ratio, sf_ratio);
}

void fill_sample_row(const RealizationEvaluator& evaluator, float* out) {
  const std::vector<double>& values = evaluator.values();
  for (const double v : values) *out++ = static_cast<float>(v);
  const bool unit_failed = evaluator.unit_failed();
  ChemicalQuantities q{};
  for (std::size_t i = 0; i < evaluator.chemicals().size(); ++i) {
    const ChemicalEvaluation* ev = unit_failed ? nullptr : &evaluator.evaluations()[i];
    if (ev == nullptr || ev->failure) {
      *out++ = std::nanf("");
      continue;
    }
    chemical_quantities(evaluator.unit(), *ev, q);
    *out++ = static_cast<float>(limiting_quantity(q[kGwRatio], q[kSfRatio]));
  }
  const bool totals = evaluator.all_completed();
  *out++ = totals ? static_cast<float>(evaluator.stream_risk()) : std::nanf("");
  *out++ = totals ? static_cast<float>(evaluator.stream_hazard()) : std::nanf("");
}

std::uint64_t SampleRows::count() const {
  std::uint64_t n = 0;
  for (const auto& [first, values] : blocks) n += columns == 0 ? 0 : values.size() / columns;
  return n;
}

std::vector<float> SampleRows::joined() const {
  std::vector<float> all;
  all.reserve(count() * columns);
  std::uint64_t next = 1;
  for (const auto& [first, values] : blocks) {
    if (first != next)
      throw std::invalid_argument("the stored rows miss realizations " + std::to_string(next) +
                                  ".." + std::to_string(first - 1));
    all.insert(all.end(), values.begin(), values.end());
    next += values.size() / columns;
  }
  return all;
}

void SampleRows::merge(SampleRows other) {
  if (other.blocks.empty()) return;
  if (!blocks.empty() && other.columns != columns)
    throw std::invalid_argument("stored rows of " + std::to_string(other.columns) +
                                " columns, the others of " + std::to_string(columns));
  columns = other.columns;
  for (auto& [first, values] : other.blocks)
    if (!blocks.emplace(first, std::move(values)).second)
      throw std::invalid_argument("the stored rows from realization " + std::to_string(first) +
                                  " are given twice");
}

void SampleRows::to_json(nlohmann::ordered_json& out) const {
  out = nlohmann::ordered_json::object();
  out["columns"] = columns;
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const auto& [first, values] : blocks) {
    std::vector<unsigned char> bytes(values.size() * 4);
    for (std::size_t i = 0; i < values.size(); ++i) {
      const auto bits = bit_cast<std::uint32_t>(values[i]);
      for (std::size_t k = 0; k < 4; ++k) bytes[4 * i + k] = (bits >> (8 * k)) & 0xFF;
    }
    list.push_back(
        {{"first", first}, {"rows", values.size() / columns}, {"float32le", base64(bytes)}});
  }
  out["blocks"] = std::move(list);
}

SampleRows SampleRows::from_json(const nlohmann::ordered_json& in) {
  SampleRows rows;
  // Checked as read, before it is held in a size_t (32 bits in the browser's build).
  const std::uint64_t columns = json_count_at(in, "columns");
  if (columns > (std::uint64_t{1} << 32) || columns > std::numeric_limits<std::size_t>::max() / 4)
    throw std::invalid_argument("rows.columns: " + std::to_string(columns) + ", too many");
  rows.columns = static_cast<std::size_t>(columns);
  if (!in.at("blocks").is_array()) throw std::invalid_argument("rows.blocks: not an array");
  for (const auto& block : in.at("blocks")) {
    const auto first = json_count_at(block, "first");
    const auto n = json_count_at(block, "rows");
    const std::vector<unsigned char> bytes = from_base64(block.at("float32le").get<std::string>());
    const std::uint64_t row_bytes = rows.columns * std::uint64_t{4};
    if (rows.columns == 0 || n == 0 || bytes.size() % row_bytes != 0 ||
        bytes.size() / row_bytes != n)
      throw std::invalid_argument("stored rows from realization " + std::to_string(first) + ": " +
                                  std::to_string(bytes.size()) + " bytes for " + std::to_string(n) +
                                  " rows of " + std::to_string(rows.columns) + " floats");
    std::vector<float> values(bytes.size() / 4);
    for (std::size_t i = 0; i < values.size(); ++i) {
      std::uint32_t bits = 0;
      for (std::size_t k = 0; k < 4; ++k) bits |= std::uint32_t{bytes[4 * i + k]} << (8 * k);
      values[i] = bit_cast<float>(bits);
    }
    if (!rows.blocks.emplace(first, std::move(values)).second)
      throw std::invalid_argument("stored rows from realization " + std::to_string(first) +
                                  " given twice");
  }
  return rows;
}

}  // namespace vorn::mc
