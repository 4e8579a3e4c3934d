// A statistics document in long form (RFC 4180, CRLF): one value a row, as chemical,
// quantity, statistic, value.
#pragma once

#include <string>

#include "core/csv_field.hpp"

namespace vorn {

class LongCsv {
 public:
  LongCsv() : text_(std::string("chemical,quantity,statistic,value") + kCsvRecordEnd) {}
  void add(const std::string& who, const char* quantity, const std::string& statistic,
           const std::string& value) {
    text_ += csv_field(who) + ',' + quantity + ',' + statistic + ',' + value + kCsvRecordEnd;
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace vorn
