// Checks shared by the tests of the HTML page: parsing, self-containment, the
// axis a chart draws, and the pieces of a run's report the page must agree with.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "export/xml_tree.hpp"
#include "support/test_support.hpp"

namespace vorn::test {

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

inline double attr_number(const XmlNode& n, const char* key) {
  const std::string* v = n.attr(key);
  if (!v) {
    ADD_FAILURE() << "no " << key << " on <" << n.name << ">";
    return NAN;
  }
  return std::strtod(v->c_str(), nullptr);
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
  a.e_a = std::round(std::log10(std::strtod(first.all_text().c_str(), nullptr)));
  a.x_b = attr_number(last, "x");
  a.e_b = std::round(std::log10(std::strtod(last.all_text().c_str(), nullptr)));
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
