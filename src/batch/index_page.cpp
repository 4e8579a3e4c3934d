#include "batch/index_page.hpp"

#include "export/page_text.hpp"
#include "export/print_style.hpp"
#include "export/provenance.hpp"
#include "export/readable_number.hpp"
#include "vorn/version.hpp"

namespace vorn::batch {
namespace fs = std::filesystem;

namespace {

// Bytes the href keeps as they are; others are percent-encoded.
bool plain_in_link(char c, bool keep_colon) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/' || (keep_colon && c == ':');
}

std::string percent_encoded(const std::string& path, bool keep_colon) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : path) {
    if (plain_in_link(c, keep_colon)) {
      out += c;
    } else {
      const auto b = static_cast<unsigned char>(c);
      out += {'%', kHex[b >> 4], kHex[b & 15]};
    }
  }
  return out;
}

fs::path resolved(const fs::path& p) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(p.empty() ? fs::path(".") : p, ec);
  const fs::path canonical = fs::weakly_canonical(absolute, ec);
  return ec ? absolute.lexically_normal() : canonical;
}

struct Verdict {
  const char* css;
  std::string text;
};

Verdict verdict(const StreamSummary& s) {
  if (s.failed()) return {"failed", "\xE2\x9A\xA0 " + s.verdict()};
  if (s.exceeding > 0) return {"exceeds", "\xE2\x9C\x96 " + s.verdict()};
  return {"within", "\xE2\x9C\x93 " + s.verdict()};
}

constexpr const char* kStyle = R"css(
:root { color: #1a1a1a; background: #fff; }
body { font: 14px/1.45 "DejaVu Sans", "Liberation Sans", Arial, sans-serif; max-width: 960px;
       margin: 1.5em auto; padding: 0 1em; }
h1 { font-size: 1.45em; margin: 0 0 .3em; }
table { border-collapse: collapse; width: 100%; font-size: 12px; }
th, td { border: 1px solid #bbb; padding: 2px 5px; text-align: left; vertical-align: top; }
th { background: #eee; }
td.num { text-align: right; }
.path { color: #555; font-size: .9em; word-break: break-all; }
tr.exceeds td.verdict { background: #fde0dc; font-weight: bold; }
tr.within td.verdict { background: #e3f4e1; }
tr.failed td.verdict { background: #fff2cc; font-weight: bold; }
)css";

std::string row_html(std::size_t k, const StreamSummary& s, const fs::path& from_dir) {
  const Verdict v = verdict(s);
  std::string out =
      "<tr class=\"" + std::string(v.css) + "\"><td class=\"num\">" + std::to_string(k + 1) +
      "</td><td>" + page_text(s.label) +
      (s.label == s.path ? std::string()
                         : "<br/><span class=\"path\">" + page_text(s.path) + "</span>") +
      "</td>" + "<td class=\"verdict\">" + v.text + "</td>";
  if (s.failed()) {
    out += "<td colspan=\"2\">" + page_text(s.message) + "</td>";
  } else {
    out += "<td class=\"num\">" + std::to_string(s.exceeding) + " of " +
           std::to_string(s.chemicals) + "</td><td>";
    if (s.worst)
      out += page_text(s.worst->name) + " (" + page_text(s.worst->cas) +
             "): " + readable_number(s.worst->ratio) + " \xC3\x97 the allowable, " +
             page_text(s.worst->pathway->words);
    else
      out += "no allowable concentration";
    out += "</td>";
  }
  out += "<td>";
  if (!s.page.empty())
    out += "<a href=\"" + page_text(page_link(s.page, from_dir)) + "\">report</a>";
  else
    out += "no page";
  return out + "</td></tr>\n";
}

}  // namespace

std::string page_link(const fs::path& page, const fs::path& from_dir) {
  const fs::path target = resolved(page);
  const fs::path relative = target.lexically_relative(resolved(from_dir));
  if (!relative.empty()) return percent_encoded(relative.generic_string(), false);
  // Another drive: an absolute link is all there is.
  const std::string absolute = target.generic_string();
  return "file://" + std::string(absolute.rfind('/', 0) == 0 ? "" : "/") +
         percent_encoded(absolute, true);
}

std::string index_page(const std::vector<StreamSummary>& rows, const fs::path& index_file,
                       const PageStamp& stamp) {
  std::size_t within = 0, exceeds = 0, failed = 0;
  for (const StreamSummary& s : rows) ++(s.failed() ? failed : s.exceeding > 0 ? exceeds : within);
  const fs::path from_dir = resolved(index_file).parent_path();
  const std::string counts = std::to_string(rows.size()) + " streams: " + std::to_string(exceeds) +
                             " exceed limits, " + std::to_string(within) + " within limits, " +
                             std::to_string(failed) + " not assessed";

  Provenance provenance;
  provenance.facts.emplace_back(
      "Streams", std::to_string(rows.size()) + ", each identified by the SHA-256 of its VORN.IN");
  for (const StreamSummary& s : rows) {
    provenance.inputs.push_back({"VORN.IN", "", s.input_sha256});
    if (s.sources_beside) provenance.inputs.push_back({"sources.csv", "", s.sources_sha256});
  }
  provenance.list_inputs = false;
  provenance.date = stamp.date;
  const char* sign = exceeds > 0 ? "\xE2\x9C\x96 " : failed > 0 ? "\xE2\x9A\xA0 " : "\xE2\x9C\x93 ";
  const RunningTexts running{running_header("Waste streams", sign + counts),
                             running_footer(provenance.identity())};

  std::string out =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n"
      "<meta charset=\"utf-8\"/>\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n"
      "<title>Waste streams: " +
      std::to_string(rows.size()) + "</title>\n<style>" + kStyle + kProvenanceStyle +
      std::string(print_style()) + running_style(running) + "</style>\n</head>\n<body>\n";
  out += "<h1>Waste streams</h1>\n<p>" + counts + ". vorn " + kVersion + ".</p>\n" +
         provenance_section(provenance);
  out +=
      "<table>\n<thead><tr><th>#</th><th>Stream</th><th>Verdict</th><th>Chemicals "
      "exceeding</th><th>Worst chemical: waste concentration over allowable</th>"
      "<th>Page</th></tr></thead>\n<tbody>\n";
  for (std::size_t k = 0; k < rows.size(); ++k) out += row_html(k, rows[k], from_dir);
  return out + "</tbody>\n</table>\n</body>\n</html>\n";
}

}  // namespace vorn::batch
