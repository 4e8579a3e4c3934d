// Checks shared by the tests of the JSON and CSV exports.
#pragma once

#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace vorn::test {

using OrderedJson = nlohmann::ordered_json;

// Bit-identical, with NaN equal to NaN.
inline bool same_double(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// A JSON number, or one of the strings that stand for NaN and the infinities.
inline double number_of(const OrderedJson& v) {
  if (v.is_string()) {
    const auto s = v.get<std::string>();
    if (s == "NaN") return std::nan("");
    if (s == "Infinity") return INFINITY;
    if (s == "-Infinity") return -INFINITY;
    throw std::runtime_error("not a number: " + s);
  }
  return v.get<double>();
}

// RFC 4180 records: fields split at commas, quoted fields with doubled quotes, each
// record ended by CRLF. Throws on a bare LF or a stray quote.
inline std::vector<std::vector<std::string>> parse_csv(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  std::size_t k = 0;
  while (k < text.size()) {
    if (text[k] == '"') {
      if (!field.empty()) throw std::runtime_error("quote inside an unquoted field");
      ++k;
      for (;;) {
        if (k >= text.size()) throw std::runtime_error("quoted field not closed");
        if (text[k] == '"') {
          if (k + 1 < text.size() && text[k + 1] == '"') {
            field += '"';
            k += 2;
            continue;
          }
          ++k;
          break;
        }
        field += text[k++];
      }
      if (k < text.size() && text[k] != ',' && text[k] != '\r')
        throw std::runtime_error("text after a closing quote");
      continue;
    }
    if (text[k] == ',') {
      record.push_back(field);
      field.clear();
      ++k;
    } else if (text[k] == '\r') {
      if (k + 1 >= text.size() || text[k + 1] != '\n') throw std::runtime_error("CR without LF");
      record.push_back(field);
      field.clear();
      records.push_back(record);
      record.clear();
      k += 2;
    } else if (text[k] == '\n') {
      throw std::runtime_error("record ended by LF alone");
    } else {
      field += text[k++];
    }
  }
  if (!field.empty() || !record.empty()) throw std::runtime_error("last record without CRLF");
  return records;
}

}  // namespace vorn::test
