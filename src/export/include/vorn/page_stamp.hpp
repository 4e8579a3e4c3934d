// What a page says of its run beyond the results: the date, and for a run's page the
// stream's name and its input's digest. The program gives it: pages read no clock, file or
// environment, so equal stamps and results give equal pages.
#pragma once

#include <optional>
#include <string>

namespace vorn {

struct PageStamp {
  // The run's date in UTC, "YYYY-MM-DD".
  std::string date;
  // A run's page: the stream's name or label (UTF-8; bytes that are not become U+FFFD), in
  // its provenance block and its running header.
  std::string name;
  // A run's page: the SHA-256 (64 lower-case hex digits) of the VORN.IN the run read, none
  // when it was not read. Probabilistic pages take it from their scenario.
  std::optional<std::string> input_sha256;
};

}  // namespace vorn
