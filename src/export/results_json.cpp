#include "vorn/results_json.hpp"

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "chemicals/run_sources.hpp"
#include "core/json_number.hpp"
#include "export/export_text.hpp"
#include "export/report_values.hpp"
#include "export/unit_values.hpp"
#include "export/utf8_sequence.hpp"
#include "vorn/stream_verdict.hpp"

namespace vorn {
namespace {

// Keeps the keys in the order they are set.
using Json = nlohmann::ordered_json;

// 2: the stream's verdict and its totals against the targets; a chemical's "sources", when a
// sources.csv lay beside the VORN.IN.
constexpr int kDocumentVersion = 2;

Json value(double v) {
  return json_number(v);
}
Json value(std::int32_t v) {
  return v;
}
Json value(std::int16_t v) {
  return v;
}
Json value(bool v) {
  return v;
}
Json value(const std::string& text) {
  return export_text(text);
}
Json value(const char* text) {
  return export_text(text);
}
Json value(const std::array<double, kPathways>& values) {
  Json array = Json::array();
  for (const double v : values) array.push_back(value(v));
  return array;
}

Json unit_object(const Results& results) {
  Json unit = Json::object();
  for_each_unit_value(results, [&](const char* name, const auto& v) { unit[name] = value(v); });
  return unit;
}

Json chemical_object(const Chemical& c) {
  Json chemical = Json::object();
#define VORN_CHEMICAL_VALUE(name, kind) chemical[#name] = value(c.name);
  VORN_CHEMICAL_FIELDS(VORN_CHEMICAL_VALUE)
#undef VORN_CHEMICAL_VALUE
  return chemical;
}

Json slots_object(const ResultSlots& s) {
  Json slots = Json::object();
#define VORN_SLOT_VALUE(name, init) slots[#name] = value(s.name);
  VORN_RESULT_SLOTS(VORN_SLOT_VALUE)
#undef VORN_SLOT_VALUE
  return slots;
}

Json report_object(const ChemicalReport& w) {
  Json report = Json::object();
  for_each_report_value(w, [&](const char* name, const auto& v) { report[name] = value(v); });
  return report;
}

// The columns of sources.csv that belong to a value, and the value the fill wrote.
Json sources_array(const std::vector<chemicals::SourcedValue>& values) {
  Json array = Json::array();
  for (const chemicals::SourcedValue& v : values) {
    const chemicals::ValueSource& s = v.source;
    Json entry = Json::object();
    for (const auto& [key, text] :
         {std::pair<const char*, const std::string&>{"variant", s.variant},
          {"field", s.field},
          {"value", s.value},
          {"unit", s.unit},
          {"origin", s.origin},
          {"library", s.library},
          {"source", s.source},
          {"table", s.table},
          {"date", s.date},
          {"derivation", s.derivation},
          {"note", s.note},
          {"action", s.action},
          {"pathways", s.pathways},
          {"filled_value", v.filled}})
      entry[key] = well_formed_utf8(text);
    array.push_back(std::move(entry));
  }
  return array;
}

// A stream total with its target, and whether it lies above it.
Json total_object(double total, double target, bool above) {
  Json object = Json::object();
  object["value"] = value(total);
  object["target"] = value(target);
  object["above_target"] = above;
  return object;
}

Json stream_object(const StreamVerdict& v) {
  Json stream = Json::object();
  stream["RI_TOT"] = total_object(v.RI_TOT, v.target_risk, v.risk_above_target());
  stream["HI_TOT"] = total_object(v.HI_TOT, v.target_hazard, v.hazard_above_target());
  return stream;
}

std::string document_text(const Json& document) {
  return document.dump(2) + "\n";
}

}  // namespace

const char* status_word(Status status) {
  switch (status) {
    case Status::completed:
      return "completed";
    case Status::input_missing:
      return "input missing";
    case Status::stopped:
      return "stopped";
    case Status::fatal_input_error:
      return "fatal input error";
  }
  return "unknown";
}

namespace {

Json results_document(const Results& results, const chemicals::RunSources* sources) {
  if (sources != nullptr && !sources->usable()) sources = nullptr;
  Json document = Json::object();
  document["version"] = kDocumentVersion;
  document["status"] = status_word(Status::completed);
  const StreamVerdict verdict = stream_verdict(results);
  document["verdict"] = verdict_words(verdict.exceeding);
  document["exceeding"] = verdict.exceeding;
  document["stream"] = stream_object(verdict);
  document["unit"] = unit_object(results);
  Json chemicals = Json::array();
  for (std::size_t k = 0; k < results.chemicals.size(); ++k) {
    Json entry = Json::object();
    entry["index"] = k + 1;
    entry["chemical"] = chemical_object(results.chemicals[k]);
    entry["results"] = slots_object(results.results.at(k));
    entry["report"] = report_object(results.report.at(k));
    if (sources != nullptr) entry["sources"] = sources_array(sources->chemicals.at(k));
    chemicals.push_back(std::move(entry));
  }
  document["chemicals"] = std::move(chemicals);
  return document;
}

// Lines as one text, one per line.
std::string joined_lines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) text += '\n';
    text += export_text(lines[k]);
  }
  return text;
}

// The run's warnings, when it has any.
void add_warnings(Json& document, const Outcome& outcome) {
  if (outcome.warnings.empty()) return;
  Json warnings = Json::array();
  for (const std::string& w : outcome.warnings) warnings.push_back(export_text(w));
  document["warnings"] = std::move(warnings);
}

}  // namespace

std::string results_json(const Results& results, const chemicals::RunSources* sources) {
  return document_text(results_document(results, sources));
}

std::string results_json(const Outcome& outcome) {
  if (outcome.status == Status::completed) {
    if (!outcome.results) throw std::invalid_argument("a completed outcome without its results");
    Json document = results_document(*outcome.results, outcome.sources.get());
    add_warnings(document, outcome);
    return document_text(document);
  }
  Json document = Json::object();
  document["version"] = kDocumentVersion;
  document["status"] = status_word(outcome.status);
  document["verdict"] = kNotAssessed;
  document["message"] = joined_lines(outcome.message);
  if (!outcome.explanation.empty()) document["explanation"] = joined_lines(outcome.explanation);
  add_warnings(document, outcome);
  return document_text(document);
}

}  // namespace vorn
