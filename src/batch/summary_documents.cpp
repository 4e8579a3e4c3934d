#include "batch/summary_documents.hpp"

#include <cmath>
#include <iterator>
#include <nlohmann/json.hpp>

#include "core/csv_field.hpp"
#include "core/number_text.hpp"

namespace vorn::batch {
namespace {

using Json = nlohmann::ordered_json;

// The row's values in column order, as texts; nothing for an absent worst chemical.
std::vector<std::optional<std::string>> texts(const StreamSummary& s) {
  std::vector<std::optional<std::string>> v = {
      s.label,      s.path,       status_word(s.status), std::to_string(s.exit_status),
      s.message,    std::nullopt, std::nullopt,          std::nullopt,
      std::nullopt, std::nullopt, std::nullopt};
  if (s.status == Status::completed) {
    v[5] = std::to_string(s.chemicals);
    v[6] = std::to_string(s.exceeding);
  }
  if (s.worst) {
    v[7] = s.worst->name;
    v[8] = s.worst->cas;
    v[9] = s.worst->pathway->code;
    v[10] = exact_number(s.worst->ratio);
  }
  return v;
}

}  // namespace

std::string summary_csv(const std::vector<StreamSummary>& rows) {
  std::string out;
  for (std::size_t k = 0; k < std::size(kSummaryColumns); ++k)
    out += (k > 0 ? "," : "") + std::string(kSummaryColumns[k]);
  out += "\r\n";
  for (const StreamSummary& s : rows) {
    const auto values = texts(s);
    for (std::size_t k = 0; k < values.size(); ++k)
      out += (k > 0 ? "," : "") + csv_field(values[k].value_or(""));
    out += "\r\n";
  }
  return out;
}

std::string summary_json(const std::vector<StreamSummary>& rows) {
  Json array = Json::array();
  for (const StreamSummary& s : rows) {
    Json row = Json::object();
    row["label"] = s.label;
    row["path"] = s.path;
    row["status"] = status_word(s.status);
    row["exit_status"] = s.exit_status;
    row["message"] = s.message;
    row["chemicals"] = s.status == Status::completed ? Json(s.chemicals) : Json();
    row["exceeding"] = s.status == Status::completed ? Json(s.exceeding) : Json();
    row["worst_name"] = s.worst ? Json(s.worst->name) : Json();
    row["worst_cas"] = s.worst ? Json(s.worst->cas) : Json();
    row["worst_pathway"] = s.worst ? Json(s.worst->pathway->code) : Json();
    // JSON has no NaN or infinity: those go as strings, as in the run's export.
    if (!s.worst)
      row["worst_ratio"] = Json();
    else if (std::isfinite(s.worst->ratio))
      row["worst_ratio"] = s.worst->ratio;
    else
      row["worst_ratio"] = exact_number(s.worst->ratio);
    array.push_back(std::move(row));
  }
  // Labels and paths come from the command line: bytes that are not UTF-8 are replaced.
  return array.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace vorn::batch
