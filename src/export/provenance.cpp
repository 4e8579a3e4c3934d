#include "export/provenance.hpp"

#include "export/html_text.hpp"
#include "numerics/sha256.hpp"
#include "vorn/version.hpp"

namespace vorn {
namespace {

constexpr std::size_t kIdentityDigits = 12;

std::string fact(const std::string& label, const std::string& value) {
  return "<dt>" + label + "</dt><dd>" + value + "</dd>\n";
}

std::string code(const std::string& hex) {
  return "<span class=\"code\">" + html_text(hex) + "</span>";
}

}  // namespace

std::string run_identity(const std::vector<RunInput>& inputs) {
  std::string text = std::string("vorn ") + kVersion + "\n";
  for (const RunInput& in : inputs) text += in.name + " " + in.sha256.value_or("none") + "\n";
  return numerics::sha256_hex(text).substr(0, kIdentityDigits);
}

std::string provenance_section(const Provenance& p) {
  std::string s =
      "<section id=\"provenance\" class=\"provenance\">\n<h2>Provenance</h2>\n"
      "<dl class=\"provenance\">\n" +
      fact("Engine", std::string("vorn ") + kVersion);
  for (const auto& [label, value] : p.facts) s += fact(label, value);
  if (p.list_inputs)
    for (const RunInput& in : p.inputs)
      s += fact(in.label, in.sha256 ? code(*in.sha256) : "not read");
  s += fact("Run identity", code(p.identity())) + fact("Run date", html_text(p.date) + " (UTC)");
  return s + "</dl>\n</section>\n";
}

}  // namespace vorn
