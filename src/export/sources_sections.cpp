#include "export/sources_sections.hpp"

#include "chemicals/field_gates.hpp"
#include "chemicals/library_snapshot.hpp"
#include "export/page_text.hpp"

namespace vorn {
namespace {

using chemicals::SourcedValue;
using chemicals::ValueSource;

constexpr const char* kUserMark = "<span class=\"mark\">&#9998; user</span>";
constexpr const char* kChangedMark =
    "<span class=\"mark\">&#9888; changed after fill</span>; source unknown";

std::string count_text(std::size_t n) {
  return n == 0 ? "none" : std::to_string(n);
}

// "Benzene<br/><span class="cas">71-43-2</span>": the name as the run read it (the
// chemical's first value), the CAS number and the variant the fill took.
std::string chemical_cell(const std::vector<SourcedValue>& values, const char* between = "<br/>") {
  if (values.empty()) return "";
  const ValueSource& s = values.front().source;
  const std::string& name = s.field == "CHEMNAME" ? s.value : s.CHEMNAME;
  std::string cell = page_text(name) + between + "<span class=\"cas\">" + page_text(s.CHEMCAS);
  if (!s.variant.empty()) cell += ":" + page_text(s.variant);
  return cell + "</span>";
}

// "indoor inhalation (GWINH), volatile inhalation (AIRVOL)" from "GWINH AIRVOL".
std::string pathways_text(const std::string& codes) {
  std::string out;
  std::size_t from = 0;
  while (from < codes.size()) {
    std::size_t end = codes.find(' ', from);
    if (end == std::string::npos) end = codes.size();
    const std::string code = codes.substr(from, end - from);
    from = end + 1;
    if (code.empty()) continue;
    std::string words;
    for (const chemicals::PathwayGroup& g : chemicals::kPathwayGroups)
      if (code == g.code) words = g.words;
    out += (out.empty() ? "" : ", ") + (words.empty() ? "" : words + " ") +
           "<span class=\"code\">" + page_text(code) + "</span>";
  }
  return out;
}

// "12.6 L/kg".
std::string value_text(const ValueSource& s) {
  return page_text(s.value) + (s.unit.empty() ? "" : " " + page_text(s.unit));
}

std::string row_class(const SourcedValue& v) {
  if (v.changed()) return " class=\"changed\"";
  if (v.source.origin == "user") return " class=\"user\"";
  return "";
}

// "RSL summary table, May 2017 (I)", and a library other than the snapshot compiled in.
std::string table_text(const ValueSource& s) {
  std::string text = page_text(s.table);
  if (!s.date.empty()) text += (text.empty() ? "" : ", ") + page_text(s.date);
  if (!s.source.empty())
    text += text.empty() ? page_text(s.source) : " (" + page_text(s.source) + ")";
  if (!s.library.empty() && s.library != chemicals::kSnapshotOrigin)
    text += "; library " + page_text(s.library);
  return text;
}

// Where a value came from, in words: its origin, table, derivation and note. A derivation
// already given for an earlier value of the chemical is named by that value.
std::string source_text(const SourcedValue& v,
                        std::vector<std::pair<std::string, std::string>>& derivations) {
  const ValueSource& s = v.source;
  if (v.changed())
    return std::string(kChangedMark) +
           (v.filled.empty() ? "; not in sources.csv" : "; filled as " + page_text(v.filled));
  std::string text = s.origin == "user" ? std::string(kUserMark) + " (" + page_text(s.source) + ")"
                     : s.origin == "library" ? table_text(s)
                                             : page_text(s.origin);
  if (s.origin != "library" && s.origin != "user" && !s.table.empty())
    text += ", from " + table_text(s);
  if (!s.derivation.empty()) {
    std::string rule = page_text(s.derivation);
    for (const auto& [field, earlier] : derivations)
      if (earlier == s.derivation)
        rule = "as for <span class=\"code\">" + page_text(field) + "</span>";
    if (rule == page_text(s.derivation)) derivations.emplace_back(s.field, s.derivation);
    text += (s.origin == "library" ? "<br/><span class=\"how\">" : ": <span class=\"how\">") +
            rule + "</span>";
  }
  if (!s.note.empty())
    text += "<br/><span class=\"how\">" + std::string(s.origin == "user" ? "Note: " : "") +
            page_text(s.note) + "</span>";
  if (!s.action.empty())
    text += "<br/><span class=\"mark\">" + page_text(s.action) + "</span>: decides " +
            pathways_text(s.pathways);
  return text;
}

}  // namespace

std::string chemical_data_fact(const chemicals::RunSources& sources) {
  if (!sources.usable()) return "sources.csv not used: " + page_text(sources.problem);
  std::string tables;
  for (const auto& [table, date] : chemicals::tables_used(sources))
    tables += (tables.empty() ? "" : "; ") + page_text(table) +
              (date.empty() ? "" : " (" + page_text(date) + ")");
  if (tables.empty()) tables = "no table";
  return tables + ". Values the user gave in place of the tables': " +
         count_text(chemicals::user_override_count(sources)) +
         "; changed after the fill: " + count_text(chemicals::changed_after_fill_count(sources));
}

std::string differing_values_section(const chemicals::RunSources& sources) {
  std::string rows;
  for (const auto& chemical : sources.chemicals) {
    // The sheet's note is its row's: one line per chemical for the values it gave.
    std::string given, note;
    for (const SourcedValue& v : chemical) {
      if (v.changed()) {
        rows += "<tr class=\"changed\"><td>" + chemical_cell(chemical) +
                "</td><td><span class=\"code\">" + page_text(v.source.field) + "</span> " +
                value_text(v.source) +
                (v.filled.empty() ? "" : " (filled as " + page_text(v.filled) + ")") + "</td><td>" +
                kChangedMark + "</td></tr>\n";
      } else if (chemicals::is_user_override(v.source)) {
        given += (given.empty() ? "" : "; ") + std::string("<span class=\"code\">") +
                 page_text(v.source.field) + "</span> " + value_text(v.source);
        if (note.empty()) note = v.source.note;
      }
    }
    if (!given.empty())
      rows += "<tr class=\"user\"><td>" + chemical_cell(chemical) + "</td><td>" + given +
              "</td><td>" + kUserMark + ": " +
              (note.empty() ? std::string("<em>no note given</em>") : page_text(note)) +
              "</td></tr>\n";
  }
  std::string s =
      "<section id=\"differing\">\n<h2>Values that differ from the tables</h2>\n<p>Values the "
      "stream sheet gave in place of a table's value or rule, with the note given for them, and "
      "values changed in VORN.IN after the fill, whose source is unknown.</p>\n";
  if (rows.empty()) return s + "<p>None.</p>\n</section>\n";
  return s +
         "<table class=\"sources\">\n<thead>\n<tr><th>Chemical</th><th>Values as run</th>"
         "<th>Why</th></tr>\n</thead>\n<tbody>\n" +
         rows + "</tbody>\n</table>\n</section>\n";
}

std::string values_to_supply_section(const chemicals::RunSources& sources) {
  std::string rows;
  for (const auto& chemical : sources.chemicals)
    for (const SourcedValue& v : chemical) {
      if (v.changed() || v.source.action.empty()) continue;
      rows += "<tr><td>" + chemical_cell(chemical) + "</td><td><span class=\"code\">" +
              page_text(v.source.field) + "</span> " + value_text(v.source) + "</td><td>" +
              page_text(v.source.action) + "</td><td>" + pathways_text(v.source.pathways) +
              "</td></tr>\n";
    }
  std::string s =
      "<section id=\"to-supply\">\n<h2>Values to supply or confirm</h2>\n<p>Values no library "
      "holds, written as missing, and values inferred from a table, with the pathways each "
      "decides.</p>\n";
  if (rows.empty()) return s + "<p>None.</p>\n</section>\n";
  return s +
         "<table class=\"sources\">\n<thead>\n<tr><th>Chemical</th><th>Value as run</th>"
         "<th>Action</th><th>Decides</th></tr>\n</thead>\n<tbody>\n" +
         rows + "</tbody>\n</table>\n</section>\n";
}

std::string value_sources_section(const chemicals::RunSources& sources, std::size_t open_up_to) {
  const bool open = sources.chemicals.size() <= open_up_to;
  std::string s =
      "<section id=\"sources\">\n<h2>Sources of the values</h2>\n<p>Every value of each "
      "chemical as the run read it, from sources.csv beside the VORN.IN: the table, its date "
      "and key, or the rule it was derived by. &#9998; marks the user's values, &#9888; values "
      "changed after the fill.</p>\n";
  for (std::size_t k = 0; k < sources.chemicals.size(); ++k) {
    const auto& chemical = sources.chemicals[k];
    s += "<details class=\"sources\" id=\"sources-" + std::to_string(k + 1) + "\"" +
         (open ? " open=\"open\"" : "") + ">\n<summary>" + chemical_cell(chemical, " ") +
         "</summary>\n<table class=\"sources\">\n<thead>\n<tr><th>Value</th><th>As run</th>"
         "<th>Source</th></tr>\n</thead>\n<tbody>\n";
    std::vector<std::pair<std::string, std::string>> derivations;
    for (const SourcedValue& v : chemical)
      s += "<tr" + row_class(v) + "><td class=\"code\">" + page_text(v.source.field) +
           "</td><td class=\"value\">" + value_text(v.source) + "</td><td>" +
           source_text(v, derivations) + "</td></tr>\n";
    s += "</tbody>\n</table>\n</details>\n";
  }
  return s + "</section>\n";
}

}  // namespace vorn
