#include "vorn/results_json.hpp"

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "core/json_number.hpp"
#include "export/export_text.hpp"
#include "export/report_values.hpp"
#include "export/unit_values.hpp"

namespace vorn {
namespace {

// Keeps the keys in the order they are set.
using Json = nlohmann::ordered_json;

constexpr int kDocumentVersion = 1;

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

Json results_document(const Results& results) {
  Json document = Json::object();
  document["version"] = kDocumentVersion;
  document["status"] = status_word(Status::completed);
  document["unit"] = unit_object(results);
  Json chemicals = Json::array();
  for (std::size_t k = 0; k < results.chemicals.size(); ++k) {
    Json entry = Json::object();
    entry["index"] = k + 1;
    entry["chemical"] = chemical_object(results.chemicals[k]);
    entry["results"] = slots_object(results.results.at(k));
    entry["report"] = report_object(results.report.at(k));
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

std::string results_json(const Results& results) {
  return document_text(results_document(results));
}

std::string results_json(const Outcome& outcome) {
  if (outcome.status == Status::completed) {
    if (!outcome.results) throw std::invalid_argument("a completed outcome without its results");
    Json document = results_document(*outcome.results);
    add_warnings(document, outcome);
    return document_text(document);
  }
  // The message lines as the run wrote them, one per line.
  std::string message;
  for (std::size_t k = 0; k < outcome.message.size(); ++k) {
    if (k > 0) message += '\n';
    message += export_text(outcome.message[k]);
  }
  Json document = Json::object();
  document["version"] = kDocumentVersion;
  document["status"] = status_word(outcome.status);
  document["message"] = message;
  if (!outcome.explanation.empty()) document["explanation"] = joined_lines(outcome.explanation);
  add_warnings(document, outcome);
  return document_text(document);
}

}  // namespace vorn
