// The documents of a complete part of any kind, each made only when asked for: the JSON, CSV
// and page `vorn mc` writes, the same whether the part is one run's or merged from shards.
#pragma once

#include <string>
#include <variant>

#include "mc_run/any_part.hpp"
#include "mc_run/mc_run.hpp"
#include "vorn/page_stamp.hpp"

namespace vorn::mc_run {

class PartDocuments {
 public:
  // Throws mc::PartError naming the missing shards when `part` is not complete. A Sobol
  // design's indices are estimated on `threads` threads, which change no bit.
  explicit PartDocuments(const AnyPart& part, unsigned threads = 1);

  std::string json() const;
  std::string csv() const;
  // The page, stamped with the date of `stamp`.
  std::string html(const PageStamp& stamp) const;

 private:
  std::variant<McReport, NestedReport, SobolReport> report_;
};

}  // namespace vorn::mc_run
