// Checks shared by the tests of the HTML page: parsing, self-containment, the
// axis a chart draws, and the pieces of a run's report the page must agree with.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "export/xml_tree.hpp"
#include "support/test_support.hpp"
#include "vorn/page_stamp.hpp"

namespace vorn::test {

// The stamp of the pages under test: a fixed date, a name, no input read.
inline PageStamp test_stamp() {
  return {"2023-11-14", "tests", std::nullopt};
}

// A page's provenance block as term -> value.
inline std::map<std::string, std::string> provenance_list(const XmlNode& page) {
  std::map<std::string, std::string> list;
  const XmlNode* dl = page.first("dl", "provenance");
  if (dl == nullptr) {
    ADD_FAILURE() << "no provenance block";
    return list;
  }
  std::string term;
  for (const auto& c : dl->children) {
    if (c->name == "dt") term = c->all_text();
    if (c->name == "dd") list[term] = c->all_text();
  }
  return list;
}

// The page as an XML tree; fails the test when it is not well-formed or fetches anything.
inline std::unique_ptr<XmlNode> parse_page(const std::string& html) {
  std::unique_ptr<XmlNode> root;
  try {
    root = parse_xml(html);
  } catch (const std::exception& e) {
    ADD_FAILURE() << e.what();
    return std::make_unique<XmlNode>();
  }
  EXPECT_EQ(root->name, "html");
  EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0u);
  EXPECT_TRUE(root->elements("script").empty());
  EXPECT_TRUE(root->elements("link").empty());
  EXPECT_TRUE(root->elements("img").empty());
  const auto with_refs = root->find_all(
      [](const XmlNode& n) { return n.attr("src") || n.attr("href") || n.attr("xlink:href"); });
  EXPECT_TRUE(with_refs.empty()) << with_refs.front()->name;
  EXPECT_EQ(html.find("url("), std::string::npos);
  EXPECT_EQ(html.find("@import"), std::string::npos);
  return root;
}

// Python's expat as a second, independent judge of well-formedness.
inline void expect_expat_parses(const std::string& html) {
  ScratchDir dir;
  write_text(dir / "page.html", html);
  const std::string cmd =
      "python3 -c \"import sys, xml.parsers.expat as e; "
      "e.ParserCreate().Parse(open(sys.argv[1], 'rb').read(), True)\" '" +
      (dir / "page.html").string() + "'";
  EXPECT_EQ(std::system(cmd.c_str()), 0) << "expat rejects the page";
}

// The <td> cells of a table row.
inline std::vector<const XmlNode*> cells(const XmlNode& tr) {
  std::vector<const XmlNode*> out;
  for (const auto& c : tr.children)
    if (c->name == "td") out.push_back(c.get());
  return out;
}

inline double attr_number(const XmlNode& n, const char* key) {
  const std::string* v = n.attr(key);
  if (!v) {
    ADD_FAILURE() << "no " << key << " on <" << n.name << ">";
    return NAN;
  }
  return std::strtod(v->c_str(), nullptr);
}

// The value of a number as the pages write it: "0.0887", "8.87 × 10⁻⁵" (no-break spaces),
// "10⁻⁵" (an axis label), "−3", "∞"; NaN for any other text. The mantissa and exponent
// are read back as one decimal number, so equal digits give the identical double.
inline double page_number(const std::string& text) {
  std::string t = text;
  bool negative = false;
  if (t.rfind("\xE2\x88\x92", 0) == 0) {  // U+2212
    negative = true;
    t = t.substr(3);
  }
  if (t == "\xE2\x88\x9E") return negative ? -INFINITY : INFINITY;
  std::string mantissa = t, exponent;
  const std::string times =
      "\xC2\xA0\xC3\x97\xC2\xA0"
      "10";
  const auto at = t.find(times);
  std::string sup;
  if (at != std::string::npos) {
    mantissa = t.substr(0, at);
    sup = t.substr(at + times.size());
  } else if (t.size() > 2 && t.rfind("10", 0) == 0 && static_cast<unsigned char>(t[2]) >= 0x80) {
    mantissa = "1";
    sup = t.substr(2);
  }
  // Superscript digits and minus, as UTF-8.
  const std::pair<const char*, char> marks[] = {
      {"\xE2\x81\xB0", '0'}, {"\xC2\xB9", '1'},     {"\xC2\xB2", '2'},     {"\xC2\xB3", '3'},
      {"\xE2\x81\xB4", '4'}, {"\xE2\x81\xB5", '5'}, {"\xE2\x81\xB6", '6'}, {"\xE2\x81\xB7", '7'},
      {"\xE2\x81\xB8", '8'}, {"\xE2\x81\xB9", '9'}, {"\xE2\x81\xBB", '-'}};
  for (std::size_t k = 0; k < sup.size();) {
    bool found = false;
    for (const auto& [utf8, c] : marks) {
      const std::string m = utf8;
      if (sup.compare(k, m.size(), m) == 0) {
        exponent += c;
        k += m.size();
        found = true;
        break;
      }
    }
    if (!found) return NAN;
  }
  if (mantissa.empty() || mantissa.find_first_not_of("0123456789.") != std::string::npos)
    return NAN;
  const std::string decimal = mantissa + (exponent.empty() ? "" : "e" + exponent);
  const double v = std::strtod(decimal.c_str(), nullptr);
  return negative ? -v : v;
}

// A number on the page and the report's field for the same value agree: the same three
// significant digits, or, for a whole number the page writes in full, within half a unit
// of the field's last digit.
inline void expect_same_number(const std::string& page, const std::string& field) {
  const double p = page_number(page);
  const double f = std::strtod(field.c_str(), nullptr);
  if (page.find_first_of(".\xC3") == std::string::npos && std::isfinite(f) && f != 0)
    EXPECT_LE(std::fabs(p - f), 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(f))) - 2))
        << page << " vs " << field;
  else
    EXPECT_EQ(p, f) << page << " vs " << field;
}

// The logarithmic mapping a chart draws, taken from its first and last labelled ticks.
struct DrawnLogAxis {
  double x_a = 0, e_a = 0, x_b = 1, e_b = 1;
  std::size_t ticks = 0;
  double x(double v) const { return x_a + (std::log10(v) - e_a) / (e_b - e_a) * (x_b - x_a); }
};

inline DrawnLogAxis drawn_log_axis(const XmlNode& svg) {
  DrawnLogAxis a;
  const auto labels = svg.elements("text", "tick-label");
  a.ticks = labels.size();
  if (labels.size() < 2) {
    ADD_FAILURE() << "fewer than two labelled ticks";
    return a;
  }
  const XmlNode& first = *labels.front();
  const XmlNode& last = *labels.back();
  a.x_a = attr_number(first, "x");
  a.e_a = std::round(std::log10(page_number(first.all_text())));
  a.x_b = attr_number(last, "x");
  a.e_b = std::round(std::log10(page_number(last.all_text())));
  return a;
}

// The number after "<what>: " in a title ("Benzene (R_GWING): 3.58e-05").
inline double title_value(const XmlNode& n) {
  const XmlNode* t = n.first("title");
  if (!t) {
    ADD_FAILURE() << "no title";
    return NAN;
  }
  const std::string s = t->all_text();
  const auto colon = s.rfind(": ");
  return std::strtod(s.c_str() + colon + 2, nullptr);
}

// The rows of Table 9 of a report: name, CAS, then the six fields, blanks trimmed.
struct Table9Row {
  std::string name, cas, tclp, max_gw, gw_pathway, conc, max_sf, sf_pathway;
};

inline std::string trim(const std::string& s) {
  const auto a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

inline std::vector<Table9Row> table9(const std::string& report) {
  const auto lines = lines_of(report);
  std::vector<Table9Row> rows;
  std::size_t k = 0;
  while (k < lines.size() && lines[k].find("Table 9 Pathways Exceeding") == std::string::npos) ++k;
  for (k += 3; k < lines.size() && !lines[k].empty(); ++k) {
    const std::string& l = lines[k];
    Table9Row r{trim(l.substr(0, 50)), trim(l.substr(51, 15)), "", "", "", "", "", ""};
    std::vector<std::string> f;
    std::size_t pos = 67;
    while (pos <= l.size()) {
      const auto comma = l.find(',', pos);
      f.push_back(
          trim(l.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos)));
      if (comma == std::string::npos) break;
      pos = comma + 1;
    }
    if (f.size() != 6) {
      ADD_FAILURE() << "bad Table 9 row: " << l;
      continue;
    }
    r.tclp = f[0], r.max_gw = f[1], r.gw_pathway = f[2], r.conc = f[3], r.max_sf = f[4],
    r.sf_pathway = f[5];
    rows.push_back(r);
  }
  return rows;
}

}  // namespace vorn::test
